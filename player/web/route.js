// Plays along a route as `pryx play --headless --choose` does: each choice offered as
// a list takes the next button slot, every other wait is clicked through, questions
// are answered yes, and `menu` entries {choice, kind: 'save'|'load', slot} use the
// save or load item while that choice waits. Drives the host with the input a user
// would give, so the page's own handling is what is tested.
// With `keys` the route is taken by keys instead: Enter, Space and → in turn at the
// waits, the digit of the choice in normal mode, ↓ to it and Enter in novel mode.
// With `skip` Ctrl is held from the start, and let go and pressed again at each
// choice. `typed` holds, for each message, the time the clock took from its start to
// the next wait: what skip shortens. `press(key, type)` gives the page a key.
'use strict';

(function (global) {
  const { WaitKind, MessageButtons, MessageAnswer } = global.PryxHost || require('./host');
  const kNovelLineHeight = 29;  // a novel-mode text row, player/screen/screen.h
  const kPointerX = 100;
  const kContinueKeys = ['Enter', ' ', 'ArrowRight'];

  // `onExhausted` is called at a choice the route has no entry left for.
  function createRoute(host, choices, menu = [], onExhausted = null, { keys = false, skip = false, press = null } = {}) {
    let offered = 0;
    let next = 0;
    let lastKind = -1;
    let waitsByKey = 0;
    let textTime = null;
    const typed = [];
    if (skip) press('Control', 'keydown');

    function choose(slot, novel, textEndRow) {
      if (skip) {
        press('Control', 'keyup');
        press('Control', 'keydown');
      }
      if (keys && novel) {
        for (let line = 0; line < slot; ++line) press('ArrowDown', 'keydown');
        press('Enter', 'keydown');
      } else if (keys) {
        press(String(slot), 'keydown');
      } else if (novel) {
        host.push(host.Input.pointer, kPointerX, kNovelLineHeight * (slot - 1 + textEndRow) + kNovelLineHeight / 2);
        host.push(host.Input.click);
      } else {
        host.push(host.Input.button, slot - 1);
      }
    }

    return {
      typed,
      waitStarted(kind, novel, textEndRow) {
        lastKind = kind;
        if (textTime !== null) typed.push(host.now() - textTime);
        textTime = null;
        if (kind !== WaitKind.choice) {
          if (keys) press(kContinueKeys[waitsByKey++ % kContinueKeys.length], 'keydown');
          else host.push(host.Input.click);
          return;
        }
        ++offered;
        for (const action of menu) {
          if (action.choice === offered) host.push(action.kind === 'save' ? host.Input.save : host.Input.load, action.slot);
        }
        if (next >= choices.length) {
          if (onExhausted) onExhausted();
          return;
        }
        choose(choices[next], novel, textEndRow);
      },
      // What is left when a wait ends was meant for it alone.
      waitEnded: () => host.clearInput(),
      // A choice is used up only when made: a load that ends the wait leaves it.
      traced(event) {
        if (event.event === 'choose' && lastKind === WaitKind.choice) ++next;
        if (event.event === 'text') textTime = host.now();
      },
      // Questions: the positive answer.
      answer: (buttons) => (buttons === MessageButtons.yesNo ? MessageAnswer.yes : MessageAnswer.ok),
    };
  }

  const api = { createRoute };
  if (typeof module !== 'undefined' && module.exports) module.exports = api;
  else global.PryxRoute = api;
})(typeof window !== 'undefined' ? window : globalThis);
