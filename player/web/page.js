// The browser player's page: the 640 × 480 picture on a canvas scaled to the page,
// the choice buttons over it as the desktop window has them, the menus, the keys, the
// message history, the message boxes as dialogs, the saves and read marks in the
// browser, the music and reading aloud, and for screen readers the message and novel
// mode's choice lines. The files the game needs are listed in files.json (a folder on
// a web server cannot be searched); the engine reads them from its own file system.
'use strict';

(function () {
  const { createHost, MessageButtons, MessageAnswer, WaitKind } = PryxHost;
  const kWidth = 640;
  const kHeight = 480;
  const kGameFolder = '/game';
  // The engine looks for the IPA fonts where Debian installs them.
  const kFontFolder = '/usr/share/fonts/opentype/ipafont-mincho';
  const kMenuEdge = 8;  // novel mode: the menu bar comes while the pointer is this near the top
  const kEndedNotice = 'ゲームを終了しました。';
  const kNoSoundNotice = '音楽を再生できません。音を出さずに続けます。';
  const kChoiceMark = '→ ';
  // The keys the engine takes as they are, by its codes (player/input.h).
  const kEngineKeys = { Enter: 13, ' ': 32, ArrowRight: 39, ArrowUp: 38, ArrowDown: 40, Escape: 27,
                        1: 49, 2: 50, 3: 51, 4: 52, 5: 53 };
  const kHistoryPage = 4;  // entries Page Up and Page Down scroll the history by
  const kPictureName = 'ゲーム画面';

  const $ = (id) => document.getElementById(id);
  const stage = $('stage');
  const canvas = $('picture');
  const context2d = canvas.getContext('2d');
  const image = context2d.createImageData(kWidth, kHeight);
  const imageWords = new Uint32Array(image.data.buffer);
  const menuBar = $('menubar');
  const buttons = [...document.querySelectorAll('#choices button')];
  const historyList = $('history');
  const hash = new URLSearchParams(location.hash.slice(1));

  let novel = false;
  let typing = false;
  let route = null;
  let music = null;

  // ---- the picture ----
  // The engine's pixels are 0xAARRGGBB words; the canvas takes R, G, B, A bytes. A
  // refresh is drawn at the next frame the page shows, once however often the
  // engine refreshed (it does after every character it types); a wait draws at once.
  let pending = null;

  function draw() {
    if (!pending) return;
    const pixels = pending();
    pending = null;
    const words = new Uint32Array(pixels.buffer, pixels.byteOffset, kWidth * kHeight);
    for (let i = 0; i < words.length; ++i) {
      const v = words[i];
      imageWords[i] = 0xff000000 | ((v & 0xff) << 16) | (v & 0xff00) | ((v >>> 16) & 0xff);
    }
    context2d.putImageData(image, 0, 0);
    if (!document.body.dataset.firstPaint) document.body.dataset.firstPaint = String(performance.now());
  }

  function paint(pixels, width, height, now) {
    if (width !== kWidth || height !== kHeight) return;
    if (!pending && !now) requestAnimationFrame(draw);
    pending = pixels;
    if (now) draw();
  }

  function fitStage() {
    const bar = novel ? 0 : menuBar.offsetHeight;
    const scale = Math.min(window.innerWidth / kWidth, (window.innerHeight - bar) / kHeight);
    stage.style.transform = `scale(${scale})`;
    $('frame').style.width = `${kWidth * scale}px`;
    $('frame').style.height = `${kHeight * scale}px`;
  }

  function pictureCoordinates(event) {
    const rect = canvas.getBoundingClientRect();
    return [Math.floor(((event.clientX - rect.left) * kWidth) / rect.width),
            Math.floor(((event.clientY - rect.top) * kHeight) / rect.height)];
  }

  // ---- menus ----
  function closeMenus() {
    for (const menu of document.querySelectorAll('.menu[aria-expanded="true"]')) menu.setAttribute('aria-expanded', 'false');
  }

  function setupMenus() {
    for (const title of document.querySelectorAll('.menu > button')) {
      title.addEventListener('click', (event) => {
        event.stopPropagation();
        const menu = title.parentElement;
        const open = menu.getAttribute('aria-expanded') === 'true';
        // A submenu opens inside its menu, which stays open.
        for (const other of document.querySelectorAll('.menu[aria-expanded="true"]')) {
          if (!other.contains(menu)) other.setAttribute('aria-expanded', 'false');
        }
        if (!title.disabled) menu.setAttribute('aria-expanded', String(!open));
      });
    }
    document.addEventListener('click', closeMenus);
    const items = [['save', host.Input.save], ['load', host.Input.load]];
    for (const [kind, input] of items) {
      for (let slot = 1; slot <= 5; ++slot) {
        $(`${kind}${slot}`).addEventListener('click', () => host.push(input, slot));
      }
    }
    for (let speed = 1; speed <= 4; ++speed) $(`speed${speed}`).addEventListener('click', () => host.push(host.Input.speed, speed));
    $('file_end').addEventListener('click', () => host.push(host.Input.end));
  }

  // 表示(V): the history, the switches the engine keeps and full screen.
  function setupViewMenu() {
    $('view_history').addEventListener('click', requestHistory);
    $('view_auto').addEventListener('click', () => host.push(host.Input.auto));
    $('view_skip').addEventListener('click', () => host.push(host.Input.skip));
    $('view_read_aloud').addEventListener('click', () => host.push(host.Input.readAloud));
    $('view_full_screen').addEventListener('click', toggleFullScreen);
    document.addEventListener('fullscreenchange', () => {
      $('view_full_screen').setAttribute('aria-checked', String(!novel && Boolean(document.fullscreenElement)));
    });
  }

  // Normal mode only: novel mode covers the screen already.
  function toggleFullScreen() {
    if (novel) return;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen().catch(() => {});
  }

  function setSwitchesChecked(autoMode, skipping, readAloud) {
    $('view_auto').setAttribute('aria-checked', String(autoMode));
    $('view_skip').setAttribute('aria-checked', String(skipping));
    $('view_read_aloud').setAttribute('aria-checked', String(readAloud));
  }

  // ---- the message history ----
  // Asked of the engine, which hands it over once it waits for the history to close.
  let historyAsked = false;

  function historyOpen() {
    return !historyList.hidden;
  }

  function requestHistory() {
    if (historyOpen() || historyAsked || !$('ended').hidden) return;
    historyAsked = true;
    host.push(host.Input.history, 1);
  }

  function openHistory(entries) {
    historyAsked = false;
    historyList.replaceChildren(...entries.map(([choice, text]) => {
      const item = document.createElement('li');
      item.textContent = choice ? kChoiceMark + text : text;
      if (choice) item.className = 'choice';
      return item;
    }));
    historyList.hidden = false;
    historyList.scrollTop = historyList.scrollHeight;
    historyList.focus();
  }

  function closeHistory() {
    if (!historyOpen()) return;
    historyList.hidden = true;
    historyList.replaceChildren();
    host.push(host.Input.history, 0);
  }

  function historyAtEnd() {
    return historyList.scrollTop + historyList.clientHeight >= historyList.scrollHeight - 1;
  }

  // By whole entries from the first one shown; down past the end returns to the game.
  function scrollHistory(entries) {
    if (entries > 0 && historyAtEnd()) {
      closeHistory();
      return;
    }
    const items = [...historyList.children];
    if (!items.length) return;
    const padding = parseFloat(getComputedStyle(historyList).paddingTop);
    const first = Math.max(0, items.findIndex((item) => item.offsetTop + item.offsetHeight > historyList.scrollTop + padding));
    const target = Math.min(Math.max(first + entries, 0), items.length - 1);
    historyList.scrollTop = items[target].offsetTop - padding;
  }

  const kHistoryKeys = { PageUp: -kHistoryPage, ArrowUp: -1, PageDown: kHistoryPage, ArrowDown: 1 };

  function historyKey(event) {
    if (event.key in kHistoryKeys) scrollHistory(kHistoryKeys[event.key]);
    else if (event.key === 'Escape' || event.key === 'Enter') closeHistory();
    else return;
    event.preventDefault();
  }

  function setupHistory() {
    historyList.addEventListener('wheel', (event) => {
      if (event.deltaY > 0 && historyAtEnd()) closeHistory();
    }, { passive: true });
    historyList.addEventListener('click', (event) => {
      event.stopPropagation();
      closeHistory();
    });
    stage.addEventListener('wheel', (event) => {
      if (event.deltaY < 0 && !historyOpen()) requestHistory();
    }, { passive: true });
  }

  function showMenuBar(shown) {
    menuBar.classList.toggle('hidden', !shown);
  }

  // ---- message boxes ----
  const kCaptions = { [MessageAnswer.ok]: 'OK', [MessageAnswer.cancel]: 'キャンセル', [MessageAnswer.yes]: 'はい(Y)', [MessageAnswer.no]: 'いいえ(N)' };
  const kAnswers = {
    [MessageButtons.ok]: [MessageAnswer.ok],
    [MessageButtons.okCancel]: [MessageAnswer.ok, MessageAnswer.cancel],
    [MessageButtons.yesNo]: [MessageAnswer.yes, MessageAnswer.no],
  };

  function messageBox(text, title, icon, buttonSet, defaultAnswer) {
    const answers = kAnswers[buttonSet] || kAnswers[MessageButtons.ok];
    const negative = answers[answers.length - 1];
    if (route) return Promise.resolve(route.answer(buttonSet));
    const dialog = $('message');
    $('message-title').textContent = title;
    $('message-text').textContent = text;
    dialog.dataset.icon = icon;
    const row = $('message-buttons');
    row.replaceChildren();
    return new Promise((resolve) => {
      for (const answer of answers) {
        const button = document.createElement('button');
        button.textContent = kCaptions[answer];
        button.setAttribute('aria-label', kCaptions[answer]);
        button.addEventListener('click', () => dialog.close(String(answer)));
        row.append(button);
        if (answer === defaultAnswer) button.autofocus = true;
      }
      // Esc gives the negative answer, as the desktop's boxes do.
      dialog.addEventListener('close', () => resolve(Number(dialog.returnValue || negative)), { once: true });
      dialog.returnValue = '';
      dialog.showModal();
    });
  }

  // ---- screen readers ----
  // The picture is named by the message it shows. Novel mode's choice lines are
  // drawn into the picture: each gets an invisible option over its line, selected
  // while highlighted; clicks go through to the picture.
  function describe(message, description) {
    canvas.setAttribute('aria-label', message || kPictureName);
    canvas.setAttribute('aria-description', description);
  }

  function showChoiceLines(lines, highlighted) {
    const list = $('choice-lines');
    const same = lines.length === list.children.length && lines.every((line, i) => {
      const item = list.children[i];
      return item.dataset.slot === String(line.slot) && item.getAttribute('aria-label') === line.caption &&
             item.style.top === `${line.top}px`;
    });
    if (!same) {
      list.replaceChildren(...lines.map((line) => {
        const item = document.createElement('div');
        item.setAttribute('role', 'option');
        item.dataset.slot = String(line.slot);
        item.setAttribute('aria-label', line.caption);
        item.title = line.caption;
        item.style.top = `${line.top}px`;
        item.style.height = `${line.height}px`;
        return item;
      }));
    }
    for (const item of list.children) item.setAttribute('aria-selected', String(item.dataset.slot === String(highlighted)));
    list.hidden = lines.length === 0;
  }

  // ---- the host's ui ----
  const ui = {
    paint,
    setTitle: (title) => { document.title = title; },
    enterNovelMode() {
      novel = true;
      document.body.classList.add('novel');
      $('view_full_screen').disabled = true;
      showMenuBar(false);
      fitStage();
    },
    setTyping(on) {
      typing = on;
      if (on && novel) showMenuBar(false);
    },
    setChoiceMenusEnabled(enabled) {
      for (const id of ['file_save', 'file_load', 'speed']) $(id).disabled = !enabled;
    },
    setLoadItemEnabled: (slot, enabled) => { $(`load${slot}`).disabled = !enabled; },
    setSpeedChecked(speed) {
      for (let item = 1; item <= 4; ++item) $(`speed${item}`).setAttribute('aria-checked', String(item === speed));
    },
    setButtonCaption: (slot, caption) => {
      buttons[slot].textContent = caption;
      buttons[slot].setAttribute('aria-label', caption);
    },
    setButtonVisible: (slot, visible) => { buttons[slot].hidden = !visible; },
    setSwitchesChecked,
    openHistory,
    messageBox,
    saved(path) {
      const name = path.slice(path.lastIndexOf('/') + 1);
      saves.keep(name, engine.FS.readFile(path)).catch((error) => console.error('PRYX: save not kept', error));
    },
    // What the game waits for is on the page, and when each wait starts and ends is
    // marked on its timeline, for tests and measurements.
    waitStarted(kind, novelMode, textEndRow) {
      document.body.dataset.wait = String(kind);
      performance.mark('pryx-wait-started', { detail: kind });
      if (kind === WaitKind.choice && route) $('frames').textContent += frameHash() + '\n';
      if (route) route.waitStarted(kind, novelMode, textEndRow);
    },
    waitEnded() {
      delete document.body.dataset.wait;
      performance.mark('pryx-wait-ended');
      if (route) route.waitEnded();
    },
    describe,
    showChoiceLines,
    speech: PryxSpeech.createSpeech(),
    traceLine(line) {
      if (route) {
        $('trace').textContent += line + '\n';
        route.traced(JSON.parse(line));
      }
    },
    ended() {
      $('ended').hidden = false;
      $('ended').textContent = kEndedNotice;
      document.body.dataset.ended = 'true';
    },
    music: {
      open: (bytes) => music && music.open(bytes),
      play: () => music && music.play(),
      stop: () => music && music.stop(),
      rewind: () => music && music.rewind(),
      close: () => music && music.close(),
    },
  };

  // A 32-bit FNV-1a hash of the canvas's R, G, B bytes, for the tests.
  function frameHash() {
    const bytes = context2d.getImageData(0, 0, kWidth, kHeight).data;
    let hash = 0x811c9dc5;
    for (let i = 0; i < bytes.length; ++i) {
      if ((i & 3) === 3) continue;
      hash = Math.imul(hash ^ bytes[i], 0x01000193) >>> 0;
    }
    return hash.toString(16).padStart(8, '0');
  }

  // A route is played on the headless player's virtual clock.
  const host = createHost(ui, { virtualTime: hash.has('route') });
  // Tests give input through it as the page's own controls do.
  window.pryxHost = host;
  let engine = null;
  let saves = null;

  // ---- input ----
  function setupInput() {
    canvas.addEventListener('click', (event) => {
      if (music) music.start();
      if (novel && !document.fullscreenElement && document.documentElement.requestFullscreen) {
        document.documentElement.requestFullscreen().catch(() => {});
      }
      host.push(host.Input.click);
      event.stopPropagation();
      closeMenus();
    });
    buttons.forEach((button, slot) => button.addEventListener('click', (event) => {
      if (music) music.start();
      host.push(host.Input.button, slot);
      event.stopPropagation();
    }));
    canvas.addEventListener('pointermove', (event) => {
      if (!novel || typing) return;
      const [x, y] = pictureCoordinates(event);
      host.push(host.Input.pointer, Math.max(0, x), Math.max(0, y));
    });
    document.addEventListener('pointermove', (event) => {
      if (novel && !typing) showMenuBar(event.clientY < kMenuEdge || menuBar.matches(':hover'));
    });
    setupKeys();
    window.addEventListener('resize', fitStage);
  }

  // ---- keys ----
  // What the desktop window's keys do; those of an open dialog or of the history stay
  // theirs.
  let skipKeyHeld = false;

  function holdSkip(held) {
    if (held === skipKeyHeld) return;
    skipKeyHeld = held;
    host.push(host.Input.skipHeld, held ? 1 : 0);
  }

  // A choice button, or a menu reached by the keyboard: a menu title a click left
  // focused would otherwise keep Enter from the game.
  function focusedButtonTakes() {
    const focused = document.activeElement;
    return focused instanceof HTMLButtonElement && (buttons.includes(focused) || focused.matches(':focus-visible'));
  }

  function onKeyDown(event) {
    if ($('message').open) return;
    if (historyOpen()) {
      historyKey(event);
      return;
    }
    const key = event.key;
    if (key === 'Escape' && document.querySelector('.menu[aria-expanded="true"]')) {
      closeMenus();
      return;
    }
    if (key === 'Control') {
      holdSkip(true);
      return;
    }
    if (key === 'F11' || (event.altKey && key === 'Enter')) {
      toggleFullScreen();
      event.preventDefault();
      return;
    }
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    if ((key === 'Enter' || key === ' ') && focusedButtonTakes()) return;
    const letter = key.toLowerCase();
    if (key === 'PageUp') requestHistory();
    else if (letter === 'a') host.push(host.Input.auto);
    else if (letter === 'r') host.push(host.Input.readAloud);
    else if (key in kEngineKeys) host.push(host.Input.key, kEngineKeys[key]);
    else return;
    event.preventDefault();
  }

  function setupKeys() {
    document.addEventListener('keydown', onKeyDown);
    document.addEventListener('keyup', (event) => {
      if (event.key === 'Control') holdSkip(false);
    });
    // A key let go while the page had no focus never comes.
    window.addEventListener('blur', () => holdSkip(false));
  }

  // ---- start ----
  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) return null;
    return new Uint8Array(await response.arrayBuffer());
  }

  // What the browser kept as bytes; anything else gives the engine an empty file,
  // which it does not take for a save or read marks.
  function keptBytes(value) {
    if (ArrayBuffer.isView(value)) return new Uint8Array(value.buffer, value.byteOffset, value.byteLength);
    return value instanceof ArrayBuffer ? new Uint8Array(value) : new Uint8Array(0);
  }

  // The history shows the messages in the font the engine types them in.
  function useMessageFont(bytes) {
    if (bytes) document.fonts.add(new FontFace('PRYX Mincho', bytes));
  }

  async function start() {
    setupMenus();
    setupViewMenu();
    setupHistory();
    setupInput();
    fitStage();
    const manifest = await (await fetch('files.json')).json();
    const routeText = hash.get('route');
    if (routeText !== null) {
      const menu = (hash.get('menu') || '').split(',').filter(Boolean).map((entry) => {
        const [choice, kind, slot] = entry.split(':');
        return { choice: Number(choice), kind, slot: Number(slot) };
      });
      const press = (key, type) => document.dispatchEvent(new KeyboardEvent(type, { key, bubbles: true }));
      route = PryxRoute.createRoute(host, routeText ? routeText.split(',').map(Number) : [], menu,
                                    () => { document.body.dataset.ended = 'route'; },
                                    { keys: hash.has('keys'), skip: hash.has('skip'), press });
      window.pryxRoute = route;
    } else {
      music = PryxMusic.createMusic(manifest.soundFont, manifest.synthesizer, (error) => {
        console.error('PRYX: no sound:', error);
        $('notice').hidden = false;
        $('notice').textContent = kNoSoundNotice;
      });
      window.pryxMusic = music;
    }
    saves = await PryxSaves.createSaves(manifest.name);
    const [gameFiles, fontFiles, kept] = await Promise.all([
      Promise.all(manifest.files.map(fetchBytes)),
      Promise.all(manifest.fonts.map(fetchBytes)),
      saves.all(),
    ]);
    useMessageFont(fontFiles[0]);
    engine = await PryxPlayer({ pryxHost: host });
    const fs = engine.FS;
    fs.mkdirTree(kGameFolder);
    fs.mkdirTree(kFontFolder);
    // A file that could not be fetched is missing, as on a desktop without it.
    manifest.files.forEach((name, i) => gameFiles[i] && fs.writeFile(`${kGameFolder}/${name}`, gameFiles[i]));
    manifest.fonts.forEach((name, i) => fontFiles[i] && fs.writeFile(`${kFontFolder}/${name}`, fontFiles[i]));
    for (const [name, value] of kept) fs.writeFile(`${kGameFolder}/${name}`, keptBytes(value));
    await engine.ccall('pryx_play', null, ['string', 'string'], [kGameFolder, manifest.name], { async: true });
  }

  start().catch((error) => {
    console.error(error);
    $('ended').hidden = false;
    $('ended').textContent = String(error);
  });
})();
