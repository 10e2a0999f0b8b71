// The five save slots (and the slots a game's own @SAVE uses) and the read marks,
// kept by the browser in IndexedDB, one record a file holding its bytes exactly: the
// same as the desktop player's .SAV and .READ files.
'use strict';

(function (global) {
  function openStore(gameName) {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open('pryx-saves-' + gameName, 1);
      request.onupgradeneeded = () => request.result.createObjectStore('files');
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  function finished(request) {
    return new Promise((resolve, reject) => {
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  async function createSaves(gameName) {
    const database = await openStore(gameName);
    const store = (mode) => database.transaction('files', mode).objectStore('files');
    return {
      // Every kept file as [name, bytes].
      // One transaction for both lists: another tab's save between them would pair a
      // name with the wrong bytes.
      async all() {
        const files = store('readonly');
        const [names, contents] = await Promise.all([finished(files.getAllKeys()), finished(files.getAll())]);
        return names.map((name, i) => [name, contents[i]]);
      },
      keep: (name, bytes) => finished(store('readwrite').put(bytes, name)),
    };
  }

  global.PryxSaves = { createSaves };
})(window);
