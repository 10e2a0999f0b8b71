// What the browser tests and measurements share: web distributions built by
// `pryx build --web`, served on 127.0.0.1 to headless Chromium, and games written
// for a check.
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const http = require('http');
const path = require('path');
const { launchChromium } = require('./cdp');

const kSkipped = 77;
const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json' };

function pryxRunner(pryx) {
  return (...args) => execFileSync(pryx, args, { encoding: 'utf8' });
}

// The browser player is built apart (make web), with Emscripten: without it there
// is nothing to check.
function skipUnlessBuilt(pryx) {
  if (fs.existsSync(path.join(path.dirname(pryx), 'web', 'pryx-web-player.wasm'))) return;
  console.log('the browser player is not built: make web');
  process.exit(kSkipped);
}

function buildWeb(pryx, script, folder, name) {
  fs.rmSync(folder, { recursive: true, force: true });
  pryxRunner(pryx)('build', script, '--web', '--out', folder, '--name', name);
}

// A novel-mode game of two pages: a first choice, then MESSAGE with a choice that
// shows it again. Written as authors write scripts, in code page 932.
function writeRepeatedMessageScript(file, message, wait = 40) {
  const lines = ['@VERSION,1,5', `@WAIT,${wait}`, '@GAMEMODE,2', '@EFFECT,0', '@TCOLORA',
                 '#,はじめ', '@TEXT,{', '選んでから進んでください。', '}', '@BTN, 1,進む,{', '@JMP,本文', '}', '@EVTWAIT',
                 '#,本文', '@TEXT,{', message, '}', '@BTN, 1,もう一度,{', '@JMP,本文', '}', '@EVTWAIT'];
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, execFileSync('iconv', ['-f', 'UTF-8', '-t', 'CP932'], { input: lines.join('\r\n') + '\r\n' }));
}

function serve(root) {
  const server = http.createServer((request, response) => {
    const file = path.join(root, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Serves ROOT on 127.0.0.1 and starts headless Chromium with a fresh profile in it;
// `use(page, base)` gets its page and the address of ROOT. Both end afterwards,
// whatever happened.
async function inServedBrowser(root, use) {
  const server = await serve(root);
  const chromium = await launchChromium(fs.mkdtempSync(path.join(root, 'profile-')));
  try {
    return await use(chromium.page, `http://127.0.0.1:${server.address().port}`);
  } finally {
    await chromium.close();
    server.close();
  }
}

// The waits of the game so far, from the page's timeline: {kind, at} as each
// started (with its kind) and ended (without).
const kWaits = `performance.getEntriesByType('mark').filter((mark) => mark.name.startsWith('pryx-wait-'))
  .map((mark) => ({ kind: mark.detail === null ? undefined : mark.detail, at: mark.startTime }))`;

module.exports = { kSkipped, pryxRunner, skipUnlessBuilt, buildWeb, writeRepeatedMessageScript, serve, inServedBrowser, kWaits };
