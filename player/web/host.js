// The engine's host object in a page or in node: the queue of input the engine takes
// at its pumps, the waits it suspends in, and the calls it makes for the picture,
// menus, buttons, questions, music, speech, saves, trace and message history, which go to `ui`.
'use strict';

(function (global) {
  // Kinds of input as the engine decodes them (web_host.cpp).
  const Input = {
    click: 1, button: 2, pointer: 3, key: 4, save: 5, load: 6, speed: 7, end: 8, close: 9,
    skipHeld: 10, skip: 11, auto: 12, readAloud: 13, history: 14,
  };
  // Below this a timer would be stretched to 4 ms once nested: such waits are
  // yielded through a message channel until they are over.
  const kShortestTimer = 4;

  // With `virtualTime` the clock moves only when the engine sleeps or waits, as the
  // headless player's does: a route then takes the same course at any speed.
  function createHost(ui, { virtualTime = false } = {}) {
    const queue = [];
    let virtualNow = 0;
    let wake = null;
    const channel = new MessageChannel();
    const yielded = [];
    channel.port1.onmessage = () => yielded.shift()();

    function yieldTurn() {
      return new Promise((resolve) => {
        yielded.push(resolve);
        channel.port2.postMessage(0);
      });
    }

    async function sleep(milliseconds) {
      if (virtualTime) {
        virtualNow += Math.max(milliseconds, 0);
        return yieldTurn();
      }
      if (milliseconds >= kShortestTimer) {
        await new Promise((resolve) => setTimeout(resolve, milliseconds));
        return;
      }
      const until = performance.now() + milliseconds;
      do await yieldTurn(); while (performance.now() < until);
    }

    function push(kind, first = 0, second = 0) {
      queue.push(kind | (first << 4) | (second << 18));
      if (wake) wake();
    }

    const host = {
      Input,
      push,
      nextInput: () => (queue.length ? queue.shift() : -1),
      clearInput: () => queue.splice(0),
      sleep,
      now: () => (virtualTime ? virtualNow : performance.now()),
      waitForInput(milliseconds) {
        if (queue.length) return yieldTurn();
        if (virtualTime) return sleep(milliseconds);
        return new Promise((resolve) => {
          const timer = setTimeout(done, milliseconds);
          function done() {
            clearTimeout(timer);
            wake = null;
            resolve();
          }
          wake = done;
        });
      },
      paint: (pixels, width, height, now) => ui.paint(pixels, width, height, now),
      setTitle: (title) => ui.setTitle(title),
      enterNovelMode: () => ui.enterNovelMode(),
      setTyping: (typing) => ui.setTyping(typing),
      setChoiceMenusEnabled: (enabled) => ui.setChoiceMenusEnabled(enabled),
      setLoadItemEnabled: (slot, enabled) => ui.setLoadItemEnabled(slot, enabled),
      setSpeedChecked: (speed) => ui.setSpeedChecked(speed),
      setButtonCaption: (slot, caption) => ui.setButtonCaption(slot, caption),
      setButtonVisible: (slot, visible) => ui.setButtonVisible(slot, visible),
      messageBox: (text, title, icon, buttons, answer) => ui.messageBox(text, title, icon, buttons, answer),
      saved: (path) => ui.saved(path),
      waitStarted: (kind, novel, textEndRow) => ui.waitStarted(kind, novel, textEndRow),
      waitEnded: () => ui.waitEnded(),
      describe: (message, description) => ui.describe(message, description),
      showChoiceLines: (lines, highlighted) => ui.showChoiceLines(lines, highlighted),
      setSwitchesChecked: (autoMode, skipping, readAloud) => ui.setSwitchesChecked(autoMode, skipping, readAloud),
      openHistory: (entries) => ui.openHistory(entries),
      traceLine: (line) => ui.traceLine(line),
      ended(reason, message) {
        channel.port1.close();
        ui.ended(reason, message);
      },
      music: ui.music,
      speech: ui.speech,
    };
    return host;
  }

  // What the engine's message boxes offer, by its numbers (player/host.h).
  const MessageButtons = { ok: 0, okCancel: 1, yesNo: 2 };
  const MessageAnswer = { ok: 0, cancel: 1, yes: 2, no: 3 };
  const MessageIcon = { none: 0, critical: 1, question: 2, information: 3 };
  const WaitKind = { pagePrompt: 0, novelPage: 1, singleButton: 2, choice: 3 };

  const api = { createHost, Input, MessageButtons, MessageAnswer, MessageIcon, WaitKind };
  if (typeof module !== 'undefined' && module.exports) module.exports = api;
  else global.PryxHost = api;
})(typeof window !== 'undefined' ? window : globalThis);
