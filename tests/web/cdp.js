// Headless Chromium driven through its DevTools protocol on a pipe (no WebSocket
// needed): start it, open a page, evaluate expressions in it.
'use strict';
const { spawn } = require('child_process');

async function launchChromium(userDataDir) {
  const browser = spawn('chromium', ['--headless=new', '--no-sandbox', '--disable-gpu', '--remote-debugging-pipe',
                                     '--autoplay-policy=user-gesture-required', `--user-data-dir=${userDataDir}`,
                                     '--window-size=1000,700', 'about:blank'],
                        { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
  const toBrowser = browser.stdio[3];
  const fromBrowser = browser.stdio[4];
  const pending = new Map();
  let nextId = 0;
  let buffered = Buffer.alloc(0);
  fromBrowser.on('data', (chunk) => {
    buffered = Buffer.concat([buffered, chunk]);
    for (let end = buffered.indexOf(0); end >= 0; end = buffered.indexOf(0)) {
      const message = JSON.parse(buffered.subarray(0, end).toString('utf8'));
      buffered = buffered.subarray(end + 1);
      const waiting = pending.get(message.id);
      if (!waiting) continue;
      pending.delete(message.id);
      if (message.error) waiting.reject(new Error(`${waiting.method}: ${message.error.message}`));
      else waiting.resolve(message.result);
    }
  });
  function send(method, params = {}, sessionId = undefined) {
    const id = ++nextId;
    toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    return new Promise((resolve, reject) => pending.set(id, { resolve, reject, method }));
  }

  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  const page = {
    send: (method, params) => send(method, params, sessionId),
    // Runs `source` in every document opened from now on, before its own scripts;
    // returns what takes it back.
    async beforeLoad(source) {
      await send('Page.enable', {}, sessionId);
      const { identifier } = await send('Page.addScriptToEvaluateOnNewDocument', { source }, sessionId);
      return () => send('Page.removeScriptToEvaluateOnNewDocument', { identifier }, sessionId);
    },
    // The pointer and the keys as a user's: the page sees trusted events.
    moveMouse: (x, y) => send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y }, sessionId),
    async click(x, y) {
      await page.moveMouse(x, y);
      for (const type of ['mousePressed', 'mouseReleased']) {
        await send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 }, sessionId);
      }
    },
    async press(key, code, keyCode) {
      for (const type of ['keyDown', 'keyUp']) {
        await send('Input.dispatchKeyEvent', { type, key, code, windowsVirtualKeyCode: keyCode }, sessionId);
      }
    },
    async evaluate(expression) {
      const { result, exceptionDetails } = await send('Runtime.evaluate',
        { expression, awaitPromise: true, returnByValue: true }, sessionId);
      if (exceptionDetails) throw new Error(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
      return result.value;
    },
    // A fresh load, even when only the address's fragment differs.
    async open(url) {
      await send('Page.navigate', { url: 'about:blank' }, sessionId);
      await send('Page.navigate', { url }, sessionId);
    },
    async until(expression, timeoutMilliseconds) {
      const deadline = Date.now() + timeoutMilliseconds;
      for (;;) {
        const value = await page.evaluate(expression).catch(() => undefined);
        if (value) return value;
        if (Date.now() > deadline) throw new Error(`timed out waiting for ${expression}`);
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
    },
  };
  return {
    page,
    // Resolves once Chromium has ended, its profile no longer written.
    close() {
      if (browser.exitCode !== null || browser.signalCode !== null) return Promise.resolve();
      const ended = new Promise((resolve) => browser.once('exit', resolve));
      browser.kill();
      return ended;
    },
  };
}

module.exports = { launchChromium };
