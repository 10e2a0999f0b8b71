// The browser player's page as a player uses it, in headless Chromium, served on
// 127.0.0.1 by this test, with the pointer and keys as a user's:
//   node page-test.js PRYX SAMPLES_DIR WORK_DIR
// - novel mode asks for full screen at the first click, shows its menu bar at the
//   top edge only, and each choice line's option lies over its line: the pointer
//   on it selects that option alone;
// - a page that cannot play sound plays on and says so once; one that cannot speak
//   plays on silently with reading aloud on;
// - Esc asks as closing the window does, as on the desktop: cancel plays on, OK ends;
// - a message speed item is checked alone once chosen, and a page types the longer
//   the slower its speed, never faster than its wait per character;
// - with reading aloud on the speech synthesis gets every message and then its
//   choices, in order, in a Japanese voice; the picture's accessible name is the
//   message and the choice lines are options named by their captions.
'use strict';
const assert = require('assert');
const fs = require('fs');
const path = require('path');
const { skipUnlessBuilt, buildWeb, writeRepeatedMessageScript, inServedBrowser, kWaits } = require('./distribution');

const [pryx, samples, work] = process.argv.slice(2);
const kName = 'tsukiyo';
const kNoSoundNotice = '音楽を再生できません。音を出さずに続けます。';
const kChoiceWait = "document.body.dataset.wait === '3'";
const kOptions = "[...document.querySelectorAll('#choice-lines [role=option]')]";

async function centreOf(page, expression) {
  return page.evaluate(`(() => {
    const rect = (${expression}).getBoundingClientRect();
    return [rect.left + rect.width / 2, rect.top + rect.height / 2];
  })()`);
}

async function clickOn(page, expression) {
  const [x, y] = await centreOf(page, expression);
  await page.click(x, y);
}

// Clicks on the picture until a choice waits, as a reader does: on its first text
// row, where no choice line can be, should the choice come meanwhile.
async function readToChoice(page) {
  const deadline = Date.now() + 20000;
  while (!(await page.evaluate(kChoiceWait))) {
    if (Date.now() > deadline) throw new Error('no choice came');
    await page.click(...(await page.evaluate(`(() => {
      const rect = document.getElementById('picture').getBoundingClientRect();
      return [rect.left + rect.width / 2, rect.top + rect.height / 48];
    })()`)));
    await new Promise((resolve) => setTimeout(resolve, 200));
  }
}

const dialogShown = `document.getElementById('message').open && [document.getElementById('message-title').textContent,
  document.getElementById('message-text').textContent, document.activeElement.textContent]`;

// The novel sample on a page that can neither sound nor speak.
async function novelWindow(page, base) {
  const takeBack = await page.beforeLoad(`
    window.AudioContext = function () { throw new Error('no sound device'); };
    Object.defineProperty(window, 'speechSynthesis', { value: undefined });
    window.pryxNotices = 0;
    document.addEventListener('DOMContentLoaded', () => new MutationObserver((changes) => {
      window.pryxNotices += changes.length;
    }).observe(document.getElementById('notice'), { childList: true }));`);
  await page.open(`${base}/novel/index.html`);
  await page.until('document.body && document.body.dataset.firstPaint', 20000);
  assert.strictEqual(await page.evaluate('!!document.fullscreenElement'), false, 'no full screen before the first click');
  await clickOn(page, "document.getElementById('picture')");
  await page.until('!!document.fullscreenElement', 20000);
  await readToChoice(page);
  const notice = await page.until("!document.getElementById('notice').hidden && document.getElementById('notice').textContent", 20000);
  assert.strictEqual(notice, kNoSoundNotice, 'the notice of silence');
  await page.evaluate('pryxHost.push(pryxHost.Input.readAloud)');

  const barShown = "!document.getElementById('menubar').classList.contains('hidden')";
  const height = await page.evaluate('window.innerHeight');
  for (const [y, shown] of [[1, true], [height / 2, false], [0, true], [height - 1, false]]) {
    await page.moveMouse(200, y);
    assert.strictEqual(await page.evaluate(barShown), shown, `the menu bar with the pointer at ${y}`);
  }

  const captions = await page.evaluate(`${kOptions}.map((item) => item.getAttribute('aria-label'))`);
  assert.deepStrictEqual(captions, ['神社へ行く', '今夜は帰る'], 'the choice lines as options');
  for (let line = 0; line < captions.length; ++line) {
    await page.moveMouse(...(await centreOf(page, `${kOptions}[${line}]`)));
    await page.until(`${kOptions}.map((item) => item.getAttribute('aria-selected')).join() ===
      ${JSON.stringify(captions.map((_, i) => String(i === line)).join())}`, 20000);
  }
  // The first line taken, the next page typed out at a click.
  await clickOn(page, `${kOptions}[0]`);
  await page.until(`${kOptions}.length === 0`, 20000);
  await readToChoice(page);
  assert.strictEqual(await page.evaluate(`${kOptions}.length`), 2, 'the next choice');
  assert.strictEqual(await page.evaluate('window.pryxNotices'), 1, 'the silence told once, with the next piece too');
  console.log(`novel mode: full screen at the first click, menu bar at the top edge, ${captions.length} choice lines; ` +
              'no sound: told once; no speech: plays on');

  const escape = () => page.press('Escape', 'Escape', 27);
  await escape();
  assert.deepStrictEqual(await page.until(dialogShown, 20000), ['確認のメッセージ', '終了しますか？', 'キャンセル'],
                         'Esc asks as closing the window does');
  await escape();
  await page.until(`!document.getElementById('message').open && ${kChoiceWait}`, 20000);
  assert.strictEqual(await page.evaluate('!!document.body.dataset.ended'), false, 'cancelled: the game plays on');
  await escape();
  await page.until(dialogShown, 20000);
  await page.evaluate("document.querySelector('#message-buttons button').click()");
  await page.until('document.body.dataset.ended', 20000);
  console.log('Esc: asks; cancelled it plays on, OK ends');
  await takeBack();
}

// A page of ten characters typed once at each speed.
async function speeds(page, base) {
  const kCharacters = 10;
  const kWait = 40;
  const perCharacter = { 1: 0, 2: kWait / 2, 3: kWait, 4: (kWait * 3) / 2 };
  await page.open(`${base}/speeds/index.html`);
  await page.until(kChoiceWait, 20000);
  const typed = {};
  for (const speed of [2, 4, 1, 3]) {
    await page.moveMouse(200, 0);
    await clickOn(page, "document.getElementById('speed')");
    await clickOn(page, `document.getElementById('speed${speed}')`);
    const checked = await page.evaluate("[1, 2, 3, 4].filter((s) => document.getElementById('speed' + s).getAttribute('aria-checked') === 'true')");
    assert.deepStrictEqual(checked, [speed], `checked after choosing speed ${speed}`);
    const seen = await page.evaluate(`${kWaits}.length`);
    await clickOn(page, `${kOptions}[0]`);
    const [ended, started] = await page.until(`((waits) => waits.length === 2 && waits)(${kWaits}.slice(${seen}))`, 20000);
    assert.deepStrictEqual([ended.kind, started.kind], [undefined, 3], 'from one choice to the next');
    typed[speed] = started.at - ended.at;
    assert.ok(typed[speed] >= kCharacters * perCharacter[speed], `speed ${speed}: ${typed[speed]} ms`);
  }
  // Neighbouring speeds differ by 200 ms here, which a loaded machine can swallow.
  assert.ok(typed[1] < typed[4], 'ウエイト無し types faster than 遅い');
  console.log(`${kCharacters} characters typed in ${[1, 2, 3, 4].map((s) => Math.round(typed[s])).join(', ')} ms ` +
              'from ウエイト無し to 遅い');
}

// Along a route, with reading aloud switched on before the game starts: the switch
// reaches the engine at its first look at its input, once the first message has
// begun; from then on everything is read.
async function readingAloud(page, base) {
  const takeBack = await page.beforeLoad(`
    window.pryxSpoken = [];
    const queue = [];
    const synthesis = {
      speaking: false,
      pending: false,
      getVoices: () => [{ name: 'English', lang: 'en-US' }, { name: 'Japanese', lang: 'ja-JP' }],
      addEventListener() {},
      speak(utterance) {
        window.pryxSpoken.push({ text: utterance.text, voice: utterance.voice && utterance.voice.name });
        queue.push(utterance);
        this.pending = true;
        setTimeout(() => {
          const done = queue.shift();
          this.pending = queue.length > 0;
          if (done) done.onend();
        }, 5);
      },
      cancel() {
        for (const dropped of queue.splice(0)) dropped.onerror();
        this.pending = false;
      },
    };
    Object.defineProperty(window, 'speechSynthesis', { value: synthesis });
    window.SpeechSynthesisUtterance = class { constructor(text) { this.text = text; } };
    let host = null;
    Object.defineProperty(window, 'pryxHost', {
      get: () => host,
      // Reading aloud on, whatever switches the browser kept from earlier plays.
      set(value) {
        host = value;
        const report = host.setSwitchesChecked;
        let first = true;
        host.setSwitchesChecked = (autoMode, skipping, readAloud) => {
          report(autoMode, skipping, readAloud);
          if (first && !readAloud) host.push(host.Input.readAloud);
          first = false;
        };
      },
    });`);
  await page.open(`${base}/novel/index.html#route=1,1,1,2,1`);
  await page.until('document.body && document.body.dataset.ended', 60000);
  const trace = (await page.evaluate("document.getElementById('trace').textContent.trim().split('\\n')")).map(JSON.parse);
  const expected = trace.flatMap((event) => (event.event === 'text' ? [event.text]
    : event.event === 'choices' ? event.captions.filter(Boolean) : []));
  const spoken = await page.evaluate('window.pryxSpoken');
  assert.ok(spoken.length >= expected.length - 1, `${spoken.length} of ${expected.length} texts read aloud`);
  assert.deepStrictEqual(spoken.map((said) => said.text), expected.slice(expected.length - spoken.length),
                         'read aloud: the messages, each followed by its choices');
  assert.ok(spoken.every((said) => said.voice === 'Japanese'), 'in the Japanese voice');

  await page.send('Accessibility.enable');
  const { nodes } = await page.send('Accessibility.getFullAXTree');
  const named = (role) => nodes.filter((node) => node.role && node.role.value === role).map((node) => node.name.value);
  const lastText = trace.filter((event) => event.event === 'text').pop().text;
  const lastChoices = trace.filter((event) => event.event === 'choices').pop().captions;
  const oneLine = (text) => text.replace(/\s+/g, ' ').trim();
  assert.deepStrictEqual(named('image').map(oneLine), [oneLine(lastText)], "the picture's accessible name");
  assert.deepStrictEqual(named('option'), lastChoices, 'the choice lines for screen readers');
  console.log(`read aloud along the route: ${spoken.length} texts in order; the picture named by its message`);
  await takeBack();
}

async function main() {
  skipUnlessBuilt(pryx);
  fs.mkdirSync(work, { recursive: true });
  buildWeb(pryx, path.join(samples, 'tsukiyo_novel.PXJ'), path.join(work, 'novel'), kName);
  const speedScript = path.join(work, 'speeds-script', 'speeds.PXJ');
  writeRepeatedMessageScript(speedScript, 'あ'.repeat(10));
  buildWeb(pryx, speedScript, path.join(work, 'speeds'), 'speeds');
  await inServedBrowser(path.resolve(work), async (page, base) => {
    await novelWindow(page, base);
    await speeds(page, base);
    await readingAloud(page, base);
  });
}

main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});
