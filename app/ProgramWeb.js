// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program in the browser: its folder.
//
// The program folder, /omvar: the program's own path lies in it (Qt takes the
// folder from there), and the sound files that lie beside the page are fetched into it
// before main(); one that cannot be fetched is missing, as from a damaged installation. The
// folder is read-only, as an installed program's, so that the score file goes to the
// player's data folder, which lives in the page's storage (StorageWeb.js).
Module['thisProgram'] = '/omvar/omvar';
// The sound files, as Program::soundFiles names them, are asked for as the module starts,
// while the browser still compiles its code.
const omvarSounds = ['Data1.dat', 'Data2.dat', 'Data3.dat', 'Data4.dat'];
const omvarSoundsFetched = Promise.all(omvarSounds.map(name => fetch(name)
  .then(response => (response.ok ? response.arrayBuffer() : null))
  .catch(() => null)));
Module['preRun'] = [].concat(Module['preRun'] || [], () => {
  const folder = '/omvar';
  FS.mkdir(folder);
  // The program itself, as a file: Qt takes the folder only from a path that exists.
  FS.writeFile(Module['thisProgram'], '');
  addRunDependency('omvar-program-folder');
  omvarSoundsFetched.then(sounds => {
    sounds.forEach((bytes, i) => {
      if (bytes) {
        FS.writeFile(folder + '/' + omvarSounds[i], new Uint8Array(bytes));
      }
    });
    FS.chmod(folder, 0o555);
    removeRunDependency('omvar-program-folder');
  });
});
