// The web distribution in headless Chromium, served on 127.0.0.1 by this test:
//   node browser-test.js PRYX SAMPLES_DIR WORK_DIR
// - both samples along a route give the trace `pryx play --headless` gives, and at
//   every choice the canvas holds the frame `pryx play --frames` writes there;
// - a save in slot 2, a reload and a load of slot 2 give the headless player's
//   course, and the kept save is the .SAV file byte for byte;
// - a broken or missing game file shows "ファイルの読みこみに失敗しました。";
// - after the first click the first page's music sounds;
// - 終了 asks in a dialog whose default is the negative answer, and yes ends the game.
'use strict';
const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { launchChromium } = require('./cdp');
const { pryxRunner, skipUnlessBuilt, buildWeb: buildWebFolder, serve } = require('./distribution');

const [pryx, samples, work] = process.argv.slice(2);
const kName = 'tsukiyo';
const kLoadFailed = 'ファイルの読みこみに失敗しました。';
const pryxRun = pryxRunner(pryx);

function buildWeb(script, folder) {
  buildWebFolder(pryx, path.join(samples, script), folder, kName);
}

// The headless player's trace along a route, without the end it gives where the
// route runs out (the page goes on waiting there, as a player would).
function headlessTrace(folder, choices, extra = []) {
  const trace = path.join(work, 'headless.jsonl');
  try {
    pryxRun('play', path.join(folder, `${kName}.PRY`), '--headless', '--choose', choices, '--trace', trace, ...extra);
  } catch (error) {
    if (!fs.existsSync(trace)) throw error;
  }
  const lines = fs.readFileSync(trace, 'utf8').trim().split('\n');
  return lines.filter((line) => !line.includes('"reason":"no-more-input"'));
}

// The same 32-bit FNV-1a over R, G, B bytes that the page takes of its canvas.
function frameHash(png) {
  const rgb = execFileSync('convert-im6.q16', [png, '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 24 });
  let hash = 0x811c9dc5;
  for (const byte of rgb) hash = Math.imul(hash ^ byte, 0x01000193) >>> 0;
  return hash.toString(16).padStart(8, '0');
}

async function playRoute(page, url) {
  await page.open(url);
  await page.until('document.body && document.body.dataset.ended', 60000);
  const lines = (id) => page.evaluate(`document.getElementById('${id}').textContent.trim().split('\\n').filter(Boolean)`);
  return { trace: await lines('trace'), frames: await lines('frames') };
}

async function main() {
  skipUnlessBuilt(pryx);
  fs.mkdirSync(work, { recursive: true });
  const server = await serve(path.resolve(work));
  const base = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(work, 'profile-'));
  const chromium = await launchChromium(profile);
  const { page } = chromium;
  try {
    for (const [script, folder, route] of [['tsukiyo.PXJ', 'normal', '1,1,2,1'],
                                           ['tsukiyo_novel.PXJ', 'novel', '1,1,1,2,2,1']]) {
      const dist = path.join(work, folder);
      buildWeb(script, dist);
      const frames = path.join(work, `${folder}-frames`);
      fs.rmSync(frames, { recursive: true, force: true });
      const expected = headlessTrace(dist, route, ['--frames', frames, '--saves', path.join(work, `${folder}-saves`)]);
      const choiceFrames = fs.readdirSync(frames).filter((f) => f.endsWith('-choice.png')).sort()
        .map((f) => frameHash(path.join(frames, f)));
      const played = await playRoute(page, `${base}/${folder}/index.html#route=${route}`);
      assert.deepStrictEqual(played.trace, expected, `${script} ${route}: the trace`);
      assert.deepStrictEqual(played.frames, choiceFrames, `${script} ${route}: the canvas at each choice`);
      console.log(`${script} along ${route}: ${expected.length} trace lines and ${choiceFrames.length} choice frames as headless`);
    }

    // Save in slot 2 at the second choice, reload, load slot 2 at the first choice.
    const dist = path.join(work, 'normal');
    const saves = path.join(work, 'slot-saves');
    fs.rmSync(saves, { recursive: true, force: true });
    fs.mkdirSync(saves);
    headlessTrace(dist, '1,1', ['--menu', '2:save:2', '--saves', saves]);
    const afterLoad = headlessTrace(dist, '1,2,1', ['--menu', '1:load:2', '--saves', saves]);
    await playRoute(page, `${base}/normal/index.html#route=1,1&menu=2:save:2`);
    const reloaded = await playRoute(page, `${base}/normal/index.html#route=1,2,1&menu=1:load:2`);
    assert.deepStrictEqual(reloaded.trace, afterLoad, 'the run after reloading and loading slot 2');
    const kept = await page.evaluate(`new Promise((resolve) => {
      indexedDB.open('pryx-saves-${kName}').onsuccess = (event) => {
        const get = event.target.result.transaction('files').objectStore('files').get('${kName}2.SAV');
        get.onsuccess = () => resolve(Array.from(get.result || []));
      };
    })`);
    assert.deepStrictEqual(Buffer.from(kept), fs.readFileSync(path.join(saves, `${kName}2.SAV`)), 'slot 2 as the .SAV file');
    console.log(`save slot 2, reload, load slot 2: ${afterLoad.length} trace lines as headless; ${kept.length} bytes kept as the .SAV file`);

    // A game file that is no game file, and none at all.
    for (const [folder, spoil] of [['broken', (file) => fs.writeFileSync(file, 'PRYX but nothing more')],
                                   ['missing', (file) => fs.rmSync(file)]]) {
      buildWeb('tsukiyo.PXJ', path.join(work, folder));
      spoil(path.join(work, folder, `${kName}.PRY`));
      await page.open(`${base}/${folder}/index.html`);
      const shown = await page.until(`document.getElementById('message').open &&
        [document.getElementById('message-title').textContent, document.getElementById('message-text').textContent]`, 20000);
      assert.deepStrictEqual(shown, ['警告', kLoadFailed], `${folder} game file`);
      console.log(`${folder} game file: "${shown[1]}"`);
    }

    // How long the sample takes from opening the page to its first picture.
    await page.open(`${base}/normal/index.html`);
    const firstPaint = await page.until('document.body && document.body.dataset.firstPaint', 20000);
    console.log(`first page drawn ${Math.round(Number(firstPaint))} ms after the page was opened`);

    // Sound starts at the first click; the first page has music.
    await page.evaluate("document.getElementById('picture').click()");
    await page.until('window.pryxMusic.ready()', 20000);
    const level = await page.until('window.pryxMusic.level() > 0.001 && window.pryxMusic.level()', 10000);
    assert.strictEqual(await page.evaluate("document.getElementById('notice').hidden"), true, 'no notice of silence');
    console.log(`music after the first click: peak ${level.toFixed(3)}`);

    await page.evaluate("document.querySelector('#file > button').click(); document.getElementById('file_end').click()");
    const asked = await page.until(`document.getElementById('message').open && [
      document.getElementById('message-title').textContent, document.getElementById('message-text').textContent,
      document.activeElement.textContent]`, 10000);
    assert.deepStrictEqual(asked, ['終了の確認', 'ゲームを終了しますか。', 'いいえ(N)'], 'the end question');
    await page.evaluate("document.querySelector('#message-buttons button').click()");
    const ended = await page.until("!document.getElementById('ended').hidden && document.getElementById('ended').textContent", 10000);
    console.log(`終了, はい: "${ended}"`);
  } finally {
    chromium.close();
    server.close();
  }
}

main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});
