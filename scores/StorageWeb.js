// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The player's data folder, where the score file lives, as a copy in memory of the page's
// storage (IndexedDB: database "omvar", one record of bytes per file), loaded before main().
// A save (StorageLockWeb.cpp) takes the page's lock, which every tab of the page shares,
// loads the copy again, appends, and writes the copy back before it reports success.
// Results are StorageLock::Result's values: 0 done, 1 no lock, 2 refused, 3 full.
Module['omvarStorage'] = (function () {
  const folder = '/home/web_user/.local/share/Omvar';
  const Done = 0, NoLock = 1, Refused = 2, Full = 3;
  let database = null; // none when the browser refuses the page its storage
  let release = null;

  const failure = error => (error && error.name === 'QuotaExceededError' ? Full : Refused);

  // Runs `work` on the files' store in one transaction; resolves once it is committed, or
  // with why not once it is undone.
  function transact(mode, work) {
    return new Promise(resolve => {
      if (!database) {
        resolve(Refused);
        return;
      }
      let transaction;
      let thrown = null;
      try {
        transaction = database.transaction('files', mode);
      } catch (error) {
        resolve(failure(error));
        return;
      }
      transaction.oncomplete = () => resolve(Done);
      transaction.onabort = () => resolve(failure(thrown || transaction.error));
      try {
        work(transaction.objectStore('files'));
      } catch (error) {
        thrown = error;
        transaction.abort();
      }
    });
  }

  function filesInFolder() {
    return FS.readdir(folder).filter(name => FS.isFile(FS.stat(folder + '/' + name).mode));
  }

  // Makes the folder what the storage holds. A record that holds no bytes, or whose name is
  // not a plain file name in the folder, is no file of it.
  function load() {
    const stored = new Map();
    return transact('readonly', files => {
      const cursor = files.openCursor();
      cursor.onsuccess = () => {
        const record = cursor.result;
        if (record) {
          const name = String(record.key);
          const bytes = record.value instanceof Uint8Array || record.value instanceof ArrayBuffer;
          if (bytes && /^[^/]+$/.test(name) && name !== '.' && name !== '..') {
            stored.set(name, new Uint8Array(record.value));
          }
          record.continue();
        }
      };
    }).then(result => {
      if (result !== Done) {
        return result;
      }
      try {
        filesInFolder().filter(name => !stored.has(name)).forEach(name => FS.unlink(folder + '/' + name));
        // Written in place, so that the file stays the one the program has read.
        stored.forEach((bytes, name) => FS.writeFile(folder + '/' + name, bytes));
        return Done;
      } catch (error) {
        return Refused;
      }
    });
  }

  // Makes the storage what the folder holds; when it refuses, the folder what it holds.
  function store() {
    return transact('readwrite', files => {
      files.clear();
      filesInFolder().forEach(name => files.put(FS.readFile(folder + '/' + name), name));
    }).then(result => (result === Done ? Done : load().then(() => result)));
  }

  function open() {
    return new Promise(resolve => {
      let opening;
      try {
        opening = indexedDB.open('omvar', 1);
      } catch (refused) {
        resolve();
        return;
      }
      opening.onupgradeneeded = () => opening.result.createObjectStore('files');
      opening.onsuccess = () => {
        database = opening.result;
        resolve();
      };
      opening.onerror = event => {
        event.preventDefault();
        resolve();
      };
    });
  }

  // Opened as the module starts, while the browser still compiles its code.
  const opened = open();
  Module['preRun'] = [].concat(Module['preRun'] || [], () => {
    FS.mkdirTree(folder);
    addRunDependency('omvar-storage');
    opened.then(load).then(() => removeRunDependency('omvar-storage'));
  });

  return {
    lock() {
      if (!navigator.locks) {
        return Promise.resolve(NoLock);
      }
      return new Promise(taken => {
        navigator.locks.request('omvar-scores', () => new Promise(done => {
          release = done;
          taken();
        }));
      }).then(load);
    },
    store,
    unlock() {
      if (release) {
        release();
        release = null;
      }
    },
  };
})();
