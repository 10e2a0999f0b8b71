// The web distribution in headless Chromium, served on 127.0.0.1 by this test:
//   node browser-test.js PRYX SAMPLES_DIR WORK_DIR
// - both samples along a route give the trace `pryx play --headless` gives, and at
//   every choice the canvas holds the frame `pryx play --frames` writes there; the
//   route taken by keys gives the same trace;
// - with Ctrl held, a broken stored read-marks value counts as nothing read and skip
//   passes no message; after a reload it passes exactly those read before; the kept
//   read marks are the bytes the desktop's NAME.READ holds for them and the switches
//   A and R set; Page Up shows the route's messages and choices in the history;
// - a save in slot 2, a reload and a load of slot 2 give the headless player's
//   course, and the kept save is the .SAV file byte for byte;
// - a broken or missing game file shows "ファイルの読みこみに失敗しました。"; pictures the
//   folder lacks are drawn empty, as `pryx play --frames` draws them;
// - after the first click the first page's music sounds;
// - 終了 asks in a dialog whose default is the negative answer, and yes ends the game.
'use strict';
const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { pryxRunner, skipUnlessBuilt, buildWeb: buildWebFolder, inServedBrowser } = require('./distribution');

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
  return { trace: await lines('trace'), frames: await lines('frames'), typed: await page.evaluate('window.pryxRoute.typed') };
}

// A file the page keeps for the game in IndexedDB, as an array of bytes (null: none).
function keptFile(page, name) {
  return page.evaluate(`new Promise((resolve) => {
    indexedDB.open('pryx-saves-${kName}').onsuccess = (event) => {
      const get = event.target.result.transaction('files').objectStore('files').get('${name}');
      get.onsuccess = () => resolve(get.result ? Array.from(get.result) : null);
    };
  })`);
}

// What the page has kept as `name` once it equals `bytes`, or after 10 s.
async function keptOnceDone(page, name, bytes) {
  const deadline = Date.now() + 10000;
  for (;;) {
    const kept = await keptFile(page, name);
    if (JSON.stringify(kept) === JSON.stringify(bytes) || Date.now() > deadline) return kept;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

function pressKey(page, key) {
  return page.evaluate(`document.dispatchEvent(new KeyboardEvent('keydown', { key: '${key}', bubbles: true }))`);
}

// NAME.READ as the desktop writes it: "PRYXREAD", version 1, the switches, the game
// file's 64-bit FNV-1a hash (little-endian), a bit for each message read.
function readMarksFile(game, switches, messages) {
  let hash = 0xcbf29ce484222325n;
  for (const byte of game) hash = BigInt.asUintN(64, (hash ^ BigInt(byte)) * 0x100000001b3n);
  const bytes = [...Buffer.from('PRYXREAD'), 1, switches];
  for (let i = 0n; i < 8n; ++i) bytes.push(Number((hash >> (8n * i)) & 0xffn));
  for (const message of messages) {
    const at = 18 + (message >> 3);
    while (bytes.length <= at) bytes.push(0);
    bytes[at] |= 1 << (message & 7);
  }
  return bytes;
}

const traceEvents = (trace) => trace.map((line) => JSON.parse(line));
const messagesOf = (trace) => traceEvents(trace).filter((event) => event.event === 'text');

// The history along a trace: the messages, and each choice taken from a list marked.
function historyOf(trace) {
  const entries = [];
  let offered = null;
  for (const event of traceEvents(trace)) {
    if (event.event === 'text') entries.push(event.text);
    if (event.event === 'choices') offered = event.captions;
    if (event.event === 'choose' && offered) entries.push(`→ ${offered[event.slot - 1]}`);
    if (event.event === 'choose') offered = null;
  }
  return entries;
}

async function main() {
  skipUnlessBuilt(pryx);
  fs.mkdirSync(work, { recursive: true });
  await inServedBrowser(path.resolve(work), async (page, base) => {
    // How long each message takes to type in full, by sample and number.
    const typingTimes = new Map();
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
      const keyed = await playRoute(page, `${base}/${folder}/index.html#route=${route}&keys`);
      assert.deepStrictEqual(keyed.trace, expected, `${script} ${route} by keys: the trace`);
      messagesOf(keyed.trace).forEach((event, i) => typingTimes.set(`${folder} ${event.message}`, keyed.typed[i]));
      console.log(`${script} along ${route}: ${expected.length} trace lines and ${choiceFrames.length} choice frames as headless, by keys too`);
    }

    // Skip, the read marks and the history, from a stored value that is broken.
    const normal = path.join(work, 'normal');
    const game = fs.readFileSync(path.join(normal, `${kName}.PRY`));
    await page.evaluate(`new Promise((resolve) => {
      indexedDB.open('pryx-saves-${kName}').onsuccess = (event) => {
        event.target.result.transaction('files', 'readwrite').objectStore('files').put(new TextEncoder().encode('PRYXREAD cut short'), '${kName}.READ').onsuccess = resolve;
      };
    })`);
    // A message passed by skip takes less time than typing it in full.
    const typing = (played) => messagesOf(played.trace).map((event, i) => {
      const full = typingTimes.get(`normal ${event.message}`);
      return played.typed[i] === full ? 'typed' : played.typed[i] < full ? 'at once' : `${played.typed[i]} ms for ${full}`;
    });
    const first = await playRoute(page, `${base}/normal/index.html#route=1&skip`);
    assert.deepStrictEqual(typing(first), first.typed.map(() => 'typed'), 'nothing read: skip passes nothing');
    await pressKey(page, 'a');
    await pressKey(page, 'r');
    const read = messagesOf(first.trace).map((event) => event.message);
    const marks = readMarksFile(game, 3, read);
    assert.deepStrictEqual(await keptOnceDone(page, `${kName}.READ`, marks), marks, 'the kept read marks as NAME.READ');

    const second = await playRoute(page, `${base}/normal/index.html#route=1,1,2&skip`);
    assert.deepStrictEqual(second.trace, headlessTrace(normal, '1,1,2'), 'skip and auto leave the course as it is');
    const passed = messagesOf(second.trace).map((event) => (read.includes(event.message) ? 'at once' : 'typed'));
    assert.deepStrictEqual(typing(second), passed, 'after a reload skip passes the messages read before, and only those');
    const checked = await page.evaluate("['view_auto', 'view_read_aloud'].map((id) => document.getElementById(id).getAttribute('aria-checked'))");
    assert.deepStrictEqual(checked, ['true', 'true'], 'オート and 読み上げ as left');

    await pressKey(page, 'PageUp');
    const history = await page.until(`!document.getElementById('history').hidden &&
      [...document.querySelectorAll('#history li')].map((item) => item.textContent)`, 10000);
    assert.deepStrictEqual(history, historyOf(second.trace), 'the history of the route');
    await pressKey(page, 'Escape');
    assert.strictEqual(await page.evaluate("document.getElementById('history').hidden"), true, 'Esc closes the history');
    console.log(`skip: ${passed.filter((typed) => typed === 'at once').length} of ${passed.length} messages passed after a reload; ` +
                `${marks.length} bytes of read marks kept; ${history.length} history entries`);

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
    const kept = await keptFile(page, `${kName}2.SAV`);
    assert.deepStrictEqual(Buffer.from(kept || []), fs.readFileSync(path.join(saves, `${kName}2.SAV`)), 'slot 2 as the .SAV file');
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

    // Pictures the folder lacks are drawn empty, as the desktop draws them.
    const lacking = path.join(work, 'lacking');
    buildWeb('tsukiyo.PXJ', lacking);
    const pictures = fs.readdirSync(lacking).filter((file) => /\.(bmp|jpg)$/i.test(file));
    pictures.forEach((file) => fs.rmSync(path.join(lacking, file)));
    const lackingFrames = path.join(work, 'lacking-frames');
    fs.rmSync(lackingFrames, { recursive: true, force: true });
    const lackingTrace = headlessTrace(lacking, '1,1', ['--frames', lackingFrames]);
    const played = await playRoute(page, `${base}/lacking/index.html#route=1,1`);
    assert.deepStrictEqual(played.trace, lackingTrace, 'without its pictures: the trace');
    assert.deepStrictEqual(played.frames, fs.readdirSync(lackingFrames).filter((f) => f.endsWith('-choice.png')).sort()
      .map((f) => frameHash(path.join(lackingFrames, f))), 'without its pictures: the canvas at each choice');
    console.log(`without its ${pictures.length} pictures: ${played.frames.length} choice frames as headless`);

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
  });
}

main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});
