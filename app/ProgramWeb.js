// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program in the browser: its folder and its end.
//
// The program folder, /omvar: the program's own path lies in it (Qt takes the
// folder from there), and the sound files that lie beside the page are fetched into it
// before main(); one that cannot be fetched is missing, as from a damaged installation. The
// folder is read-only, as an installed program's, so that the score file goes to the
// player's data folder, which lives in the page's storage (StorageWeb.js).
Module['thisProgram'] = '/omvar/omvar';
Module['preRun'] = [].concat(Module['preRun'] || [], () => {
  const folder = '/omvar';
  FS.mkdir(folder);
  // The program itself, as a file: Qt takes the folder only from a path that exists.
  FS.writeFile(Module['thisProgram'], '');
  addRunDependency('omvar-program-folder');
  // The sound files, as Program::soundFiles names them.
  const sounds = ['Data1.dat', 'Data2.dat', 'Data3.dat', 'Data4.dat'];
  Promise.all(sounds.map(name => fetch(name)
    .then(response => (response.ok ? response.arrayBuffer() : null))
    .then(bytes => {
      if (bytes) {
        FS.writeFile(folder + '/' + name, new Uint8Array(bytes));
      }
    }, () => {})))
    .then(() => {
      FS.chmod(folder, 0o555);
      removeRunDependency('omvar-program-folder');
    });
});

// main() waits for the page's events (asyncify): when it returns at last, nothing of the
// runtime's own ends the program, which it does only for a main() that returns straight
// away. The program is ended with main()'s status then, which tells the page (onExit).
Module['postRun'] = [].concat(Module['postRun'] || [], () => {
  if (Asyncify.currData) {
    Asyncify.whenDone().then(status => exit(status));
  }
});
