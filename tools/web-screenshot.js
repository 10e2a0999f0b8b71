// The README's picture of the sample in a browser (headless Chromium): the first
// choice of the normal-mode game, with the 表示(V) menu open.
//   node tools/web-screenshot.js PRYX SAMPLES_DIR WORK_DIR OUT.png
'use strict';
const fs = require('fs');
const path = require('path');
const { buildWeb, inServedBrowser } = require('../tests/web/distribution');

const [pryx, samples, work, out] = process.argv.slice(2);

async function main() {
  fs.mkdirSync(work, { recursive: true });
  buildWeb(pryx, path.join(samples, 'tsukiyo.PXJ'), path.join(work, 'normal'), 'tsukiyo');
  await inServedBrowser(path.resolve(work), async (page, base) => {
    // An empty route: the page types on the virtual clock and waits at the first choice.
    await page.open(`${base}/normal/index.html#route=`);
    await page.until("document.body && document.body.dataset.wait === '3'", 30000);
    await page.evaluate("document.getElementById('view').click()");
    const { data } = await page.send('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(out, Buffer.from(data, 'base64'));
  });
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
