// Plays a game with the WebAssembly player in node along a route and prints its
// trace, for comparison with `pryx play --headless --trace`:
//   node --no-experimental-fetch node-play.js PLAYER_DIR GAME_FOLDER NAME CHOICES
// The game folder's files and the IPA fonts are put where the player reads them.
'use strict';
const fs = require('fs');
const path = require('path');

const [playerDir, gameFolder, name, choiceList] = process.argv.slice(2);
const { createHost } = require(path.join(playerDir, 'host.js'));
const { createRoute } = require(path.join(playerDir, 'route.js'));
const choices = choiceList ? choiceList.split(',').map(Number) : [];
const kFontFolders = ['/usr/share/fonts/opentype/ipafont-mincho', '/usr/share/fonts/opentype/ipafont-gothic'];

let route = null;
const silent = { open() {}, play() {}, stop() {}, rewind() {}, close() {} };
const ui = {
  paint() {}, setTitle() {}, enterNovelMode() {}, setTyping() {}, setChoiceMenusEnabled() {},
  setLoadItemEnabled() {}, setSpeedChecked() {}, setButtonCaption() {}, setButtonVisible() {}, saved() {},
  music: silent,
  messageBox: async (text, title, icon, buttons) => route.answer(buttons),
  waitStarted: (kind, novel, row) => route.waitStarted(kind, novel, row),
  waitEnded: () => route.waitEnded(),
  traceLine(line) {
    process.stdout.write(line + '\n');
    route.traced(JSON.parse(line));
  },
  ended() {},
};
const host = createHost(ui, { virtualTime: true });
// Where the route runs out the run ends, as the headless player's does.
route = createRoute(host, choices, [], () => {
  process.stdout.write('{"event":"end","reason":"no-more-input"}\n');
  process.exit(0);
});

require(path.join(playerDir, 'pryx-web-player.js'))({ pryxHost: host }).then(async (module) => {
  const fsys = module.FS;
  fsys.mkdirTree('/game');
  for (const file of fs.readdirSync(gameFolder)) {
    const full = path.join(gameFolder, file);
    if (fs.statSync(full).isFile()) fsys.writeFile('/game/' + file, fs.readFileSync(full));
  }
  for (const folder of kFontFolders) {
    if (!fs.existsSync(folder)) continue;
    fsys.mkdirTree(folder);
    for (const file of fs.readdirSync(folder)) fsys.writeFile(folder + '/' + file, fs.readFileSync(path.join(folder, file)));
  }
  await module.ccall('pryx_play', null, ['string', 'string'], ['/game', name], { async: true });
});
