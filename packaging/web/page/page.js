// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the game's module in the page's screen and speaks for the page while the game
// cannot: while its files load, when they cannot be loaded, and after the game has ended.
'use strict';

(() => {
  const screen = document.getElementById('screen');
  const notice = document.getElementById('notice');
  const noticeText = document.getElementById('notice-text');
  const restart = document.getElementById('restart');
  let started = false; // the game's files are loaded and its code runs
  let over = false;

  restart.addEventListener('click', () => location.reload());

  // Takes the screen away and says why, with the button that loads the game afresh where
  // that can help.
  function stop(text, canRestart = true) {
    if (over) return;
    over = true;
    screen.hidden = true;
    noticeText.textContent = text;
    notice.hidden = false;
    restart.hidden = !canRestart;
    if (canRestart) restart.focus();
  }
  const ended = () => stop('Hra skončila. Můžete ji spustit znovu.');
  const broken = () => stop(started
    ? 'Hra skončila chybou. Můžete ji spustit znovu.'
    : 'Hru se nepodařilo načíst. Zkontrolujte připojení a spusťte ji znovu.');

  // A page opened from a file may not fetch the game's files, in any browser.
  if (location.protocol === 'file:') {
    stop('Hru je potřeba otevřít z webového serveru, ne přímo ze souboru. Ve složce hry ' +
      'spusťte například „python3 -m http.server“ a otevřete adresu, kterou vypíše.', false);
    return;
  }

  const config = {
    qtContainerElements: [screen],
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onRuntimeInitialized() {
      started = true;
      notice.hidden = true;
    },
    onAbort: broken,
    onExit: ended,
  };

  // Browsers keep audio silent until the player has used the page. The first press of a
  // mouse button or key makes (or wakes) the game's audio context, so that this click's
  // own sound plays too: the capture phase runs before the game sees the event.
  function unlockAudio() {
    if (!config.audioContext) config.audioContext = new AudioContext();
    else if (config.audioContext.state === 'suspended') config.audioContext.resume();
  }
  for (const type of ['pointerdown', 'keydown']) {
    window.addEventListener(type, unlockAudio, {capture: true});
  }

  const script = document.createElement('script');
  script.src = 'omvar.js';
  script.onerror = broken;
  script.onload = () => {
    createOmvar(config).catch(broken);
  };
  document.body.appendChild(script);
})();
