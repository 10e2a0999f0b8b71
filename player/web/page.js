// The browser player's page: the 640 × 480 picture on a canvas scaled to the page,
// the choice buttons over it as the desktop window has them, the two menus, the
// message boxes as dialogs, the saves in the browser, the music and reading aloud,
// and for screen readers the message and novel mode's choice lines. The files the
// game needs are listed in files.json (a folder on a web server cannot be
// searched); the engine reads them from its own file system.
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
  const kPictureName = 'ゲーム画面';

  const $ = (id) => document.getElementById(id);
  const stage = $('stage');
  const canvas = $('picture');
  const context2d = canvas.getContext('2d');
  const image = context2d.createImageData(kWidth, kHeight);
  const imageWords = new Uint32Array(image.data.buffer);
  const menuBar = $('menubar');
  const buttons = [...document.querySelectorAll('#choices button')];
  const hash = new URLSearchParams(location.hash.slice(1));

  let novel = false;
  let typing = false;
  let choiceMenusEnabled = false;
  let route = null;
  let music = null;
  const trace = [];

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
      showMenuBar(false);
      fitStage();
    },
    setTyping(on) {
      typing = on;
      if (on && novel) showMenuBar(false);
    },
    setChoiceMenusEnabled(enabled) {
      choiceMenusEnabled = enabled;
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
      trace.push(line);
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
    document.addEventListener('keydown', (event) => {
      if (event.key !== 'Escape' || $('message').open) return;
      // The question Esc brings may open before this key's own handling is over,
      // which would take the key as the question's cancel.
      event.preventDefault();
      host.push(host.Input.key, 27);
    });
    window.addEventListener('resize', fitStage);
  }

  // ---- start ----
  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) return null;
    return new Uint8Array(await response.arrayBuffer());
  }

  async function start() {
    setupMenus();
    setupInput();
    fitStage();
    const manifest = await (await fetch('files.json')).json();
    const routeText = hash.get('route');
    if (routeText !== null) {
      const menu = (hash.get('menu') || '').split(',').filter(Boolean).map((entry) => {
        const [choice, kind, slot] = entry.split(':');
        return { choice: Number(choice), kind, slot: Number(slot) };
      });
      route = PryxRoute.createRoute(host, routeText ? routeText.split(',').map(Number) : [], menu,
                                    () => { document.body.dataset.ended = 'route'; });
    } else {
      music = PryxMusic.createMusic(manifest.soundFont, (error) => {
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
    engine = await PryxPlayer({ pryxHost: host });
    const fs = engine.FS;
    fs.mkdirTree(kGameFolder);
    fs.mkdirTree(kFontFolder);
    // A file that could not be fetched is missing, as on a desktop without it.
    manifest.files.forEach((name, i) => gameFiles[i] && fs.writeFile(`${kGameFolder}/${name}`, gameFiles[i]));
    manifest.fonts.forEach((name, i) => fontFiles[i] && fs.writeFile(`${kFontFolder}/${name}`, fontFiles[i]));
    for (const [name, bytes] of kept) fs.writeFile(`${kGameFolder}/${name}`, bytes);
    document.body.dataset.started = String(performance.now());
    await engine.ccall('pryx_play', null, ['string', 'string'], [kGameFolder, manifest.name], { async: true });
  }

  start().catch((error) => {
    console.error(error);
    $('ended').hidden = false;
    $('ended').textContent = String(error);
  });
})();
