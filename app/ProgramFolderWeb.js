// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program folder in the browser, /omvar: the program's own path lies in it (Qt takes the
// folder from there), and the sound files that lie beside the page are fetched into it
// before main(); one that cannot be fetched is missing, as from a damaged installation. The
// folder is read-only, as an installed program's, so that the score file goes to the
// player's data folder, which lives in the page's storage (StorageWeb.js).
Module['thisProgram'] = '/omvar/omvar';
Module['preRun'] = [].concat(Module['preRun'] || [], () => {
  const folder = '/omvar';
  FS.mkdir(folder);
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
