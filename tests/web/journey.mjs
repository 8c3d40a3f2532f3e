// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays the game in the browser as a player does, with real mouse and key events, and
// checks what the player gets: the screens' pixels against the desktop's reference images,
// every click's sound as handed to Web Audio, the score table kept in the browser's storage
// over a reload, the page's own notices, a quiet console. The journeys below run one after
// another in one browser, each in a browser context of its own (its own storage).
// Usage: node journey.mjs <site address> <site folder> <reference images> <sound files>
//        [journey name ...]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {pathToFileURL} from 'node:url';
import {
  Height, PixelsAllowed, Width, crop, differing, heard, launch, locate, openTab, readPng,
  screenshot, soundNames, untilShown, writePng,
} from './browser.mjs';

const [address, siteDir, referenceDir, assetsDir, ...only] = process.argv.slice(2);
const names = soundNames(assetsDir);
const Hit = 'Data1.dat';
const Alert = 'Data2.dat';
const Miss = 'Data3.dat';
const Button = 'Data4.dat';
const out = fs.mkdtempSync(path.join(os.tmpdir(), 'omvar-web-'));

// The windows, by the reference image each is found by, and the places clicked in them
// (pixels from the corner of the client area, as the desktop's scripts click them).
const windows = {
  menu: {ref: 'menu', newGame: [88, 312], scores: [88, 224]},
  board: {ref: 'game-start', toMenu: [728, 152], pause: [728, 184], sky: [100, 100],
    houseFront: [320, 480]},
  pause: {ref: 'pause-dialog', resume: [457, 145], toMenu: [273, 145]},
  message: {ref: 'message-empty'},
  broken: {ref: 'message-broken'},
  table: {ref: 'table-empty', save: [308, 248], quit: [432, 248]},
  brokenTable: {ref: 'table-broken'},
  nameEntry: {ref: 'name-entry'},
};
let pictures = 0;
const references = {};
const reference = (name) => (references[name] ||= readPng(path.join(referenceDir, `${name}.png`)));

// The figures' boxes on the game screen, and the counters and clock read from it.
const figures = [[240, 280], [376, 288], [512, 280], [512, 424], [240, 424]];
const hitsCounter = [720, 48, 57, 25];
const missesCounter = [720, 16, 57, 25];
const countdown = [448, 8, 41, 33];
const list = [328, 32, 153, 171];

class Player {
  constructor(tab) {
    this.tab = tab;
    this.page = tab.page;
    this.at = {}; // where each window was found last
    this.expected = [];
  }

  // Waits for the window to show, centred in the page (a dialog centred over its screen,
  // which is centred too), where most of it matches its reference (the game screen's
  // figures and clock change as it is looked at), and keeps where it is. With exact, its
  // pixels must match the reference as the desktop's do; a mismatch is noted, with its
  // picture, and the journey goes on.
  async find(key, {exact = false, seconds = 15} = {}) {
    const ref = reference(windows[key].ref);
    const x = Math.floor((Width - ref.width) / 2);
    const y = Math.floor((Height - ref.height) / 2);
    const picture = path.join(out, `${++pictures}-${key}.png`);
    this.at[key] = await untilShown(this.page, (shot) => {
      const found = locate(shot, ref, x, y, 40);
      return found.differing <= ref.width * ref.height / 20 && {...found, shot};
    }, seconds, `${key} (${windows[key].ref}.png) is not shown centred`, picture);
    if (!exact) return;
    const until = Date.now() + 3000; // a cursor may blink
    const last = await untilShown(this.page, (shot) => {
      const d = differing(shot, this.at[key].x, this.at[key].y, ref);
      return (d <= PixelsAllowed || Date.now() > until) && {d, shot};
    }, 10, '', picture);
    if (last.d > PixelsAllowed) {
      writePng(picture, last.shot);
      this.tab.console.push(`looks: ${key}: ${last.d} pixels differ from ${windows[key].ref}.png (${picture})`);
    }
  }

  // A click at a named place of a window, and the sounds it should start.
  async click(key, place, ...sounds) {
    const [x, y] = Array.isArray(place) ? place : windows[key][place];
    this.expected.push(...sounds);
    await this.page.mouse.click(this.at[key].x + x, this.at[key].y + y);
  }
  async press(key, ...sounds) {
    this.expected.push(...sounds);
    await this.page.keyboard.press(key);
  }
  // Typed key by key, as a keyboard with Czech letters sends them: a letter the US layout
  // lacks comes as the key of that name.
  async type(text) {
    for (const ch of text) {
      if (/[ -~]/.test(ch)) {
        await this.page.keyboard.type(ch);
      } else {
        for (const type of ['keyDown', 'keyUp']) {
          await this.tab.cdp.send('Input.dispatchKeyEvent', {type, key: ch, text: ch});
        }
      }
    }
  }

  shot() {
    return screenshot(this.page);
  }
  read(shot, key, [x, y, w, h]) {
    return crop(shot, this.at[key].x + x, this.at[key].y + y, w, h);
  }
  // Waits until a rectangle of a window shows something else than it did.
  async changes(key, rect, before, what) {
    return untilShown(this.page, (shot) => this.read(shot, key, rect) !== before && shot, 5, what);
  }

  // Every sound started so far, in order, one per click that makes one.
  async heardAsExpected(when) {
    const want = this.expected.join(' ');
    let starts = '';
    for (let i = 0; i < 20 && starts !== want; ++i) {
      if (i) await new Promise((r) => setTimeout(r, 100));
      starts = (await heard(this.page)).starts.map((s) => s.file).join(' ');
    }
    check(starts === want, `${when}: sounds started ${starts || 'none'}; expected ${want || 'none'}`);
  }
}

function check(ok, what) {
  if (!ok) throw new Error(what);
}

// The score file's bytes as the page's storage holds them.
function storedScores(page) {
  return page.evaluate(() => new Promise((ok, bad) => {
    const open = indexedDB.open('omvar');
    open.onerror = () => bad(open.error);
    open.onsuccess = () => {
      const get = open.result.transaction('files').objectStore('files').get('Data5.dat');
      get.onsuccess = () => ok(get.result ? Array.from(get.result) : null);
    };
  }));
}
function plantScores(page, text) {
  return page.evaluate((bytes) => new Promise((ok) => {
    const open = indexedDB.open('omvar');
    open.onsuccess = () => {
      const files = open.result.transaction('files', 'readwrite');
      files.objectStore('files').put(new Uint8Array(bytes), 'Data5.dat');
      files.oncomplete = ok;
    };
  }), Array.from(Buffer.from(text, 'latin1')));
}
const text1250 = (bytes) => Buffer.from(bytes).toString('latin1');

// Opens the page and waits for the menu; the loading notice shows until the game starts.
async function start(browser, options = {}) {
  const tab = await openTab(browser, {names, ...options});
  const player = new Player(tab);
  await tab.page.goto(address, {waitUntil: 'domcontentloaded'});
  const notice = await tab.page.$eval('#notice-text', (e) => e.textContent);
  check(notice === 'Načítám hru…', `the loading notice says "${notice}"`);
  await player.find('menu', {exact: true, seconds: 60});
  const qt = tab.files.filter((url) => /qtloader|qtlogo|\.html$/.test(url) && !url.endsWith('/index.html'));
  check(qt.length === 0, `the page loaded Qt's loader: ${qt.join(' ')}`);
  return player;
}

// "Ok" in the name entry: its own click, the list's click as the table is read again and
// as the new record is selected, and the dialog's close.
const okSounds = [Button, Button, Button, Button];

// Skóre from the menu, through the message an empty table gives, to the name entry with a
// name typed in it.
async function saveFromMenu(player, name, {empty}) {
  await player.page.bringToFront(); // a tab behind another is not drawn
  await player.click('menu', 'scores', Button, ...(empty ? [Alert] : []));
  if (empty) {
    await player.find('message', {exact: true});
    await player.press('Enter');
  }
  await player.find('table');
  await player.click('table', 'save', Button);
  await player.find('nameEntry');
  await player.type(name);
  return player;
}

// The game screen's clock goes down; a visible figure is hit and the house front missed,
// each counted on the screen. As on the desktop test, a figure may go between the look and
// the click: then the game starts afresh and the search goes on.
async function hitAndMiss(player) {
  const first = await player.shot();
  let shot = await player.changes('board', countdown, player.read(first, 'board', countdown),
    'the countdown does not run');
  for (let round = 0; round < 40 && !player.expected.includes(Hit); ++round) {
    const {x, y} = player.at.board;
    const up = figures.find(([fx, fy]) => {
      const i = ((y + fy + 5) * shot.width + x + fx + 24) * 4;
      return shot.data[i] > 180 && shot.data[i + 1] > 180 && shot.data[i + 2] > 180;
    });
    if (up) {
      const hits = player.read(shot, 'board', hitsCounter);
      const misses = player.read(shot, 'board', missesCounter);
      await player.click('board', [up[0] + 24, up[1] + 24]);
      shot = await untilShown(player.page, (s) => (player.read(s, 'board', hitsCounter) !== hits ||
        player.read(s, 'board', missesCounter) !== misses) && s, 5,
      'a click on a figure changed no counter');
      if (player.read(shot, 'board', hitsCounter) !== hits) {
        check(player.read(shot, 'board', missesCounter) === misses, 'a hit changed the miss counter');
        player.expected.push(Hit);
        break;
      }
      player.expected.push(Miss); // the figure went first
      await player.click('board', 'toMenu', Button);
      await player.find('menu'); // "Pokračovat ve hře" is enabled now
      await player.click('menu', 'newGame', Button);
      await player.find('board');
    }
    shot = await player.shot();
  }
  check(player.expected.includes(Hit), 'no figure was hit');
  await player.click('board', 'houseFront', Miss);
  await player.changes('board', missesCounter, player.read(shot, 'board', missesCounter),
    'the miss was not counted');
}

const journeys = {
  // The whole game once, the record kept over a reload, the end and a new start.
  async player(browser) {
    const player = await start(browser);
    await player.click('menu', 'newGame', Button);
    await player.find('board');
    await player.click('board', 'pause', Button);
    await player.find('pause', {exact: true});
    await player.click('board', 'sky'); // paused: no shot, and the dialog stays in front
    await player.find('pause', {exact: true});
    await player.click('pause', 'resume', Button);
    await hitAndMiss(player);
    await player.click('board', 'pause', Button);
    await player.find('pause');
    await player.click('pause', 'toMenu', Button);
    await player.find('menu');
    await player.heardAsExpected('a game');

    await saveFromMenu(player, 'Jan Novák', {empty: true});
    await player.find('nameEntry', {exact: true});
    await player.press('Tab');
    await player.press('Enter', ...okSounds);
    await player.find('table');
    const listed = player.read(await player.shot(), 'table', list);
    const stored = await storedScores(player.page);
    check(stored && /^Jan Nov\xe1k,1,1,2,[^,\r\n]+\r\n$/.test(text1250(stored)),
      `Data5.dat holds ${JSON.stringify(stored && text1250(stored))}`);
    await player.heardAsExpected('saving');
    const transferred = player.tab.transferred;

    await player.page.reload({waitUntil: 'domcontentloaded'});
    const again = new Player(player.tab);
    await again.find('menu', {exact: true, seconds: 60});
    await again.click('menu', 'scores', Button, Button); // and the saved record's click
    await again.find('table');
    await untilShown(again.page, (s) => again.read(s, 'table', list) === listed, 5,
      'the saved record is not listed after a reload');
    await again.click('table', 'quit', Button);
    await again.page.waitForFunction(() => !document.getElementById('restart').hidden &&
      document.getElementById('screen').hidden, {timeout: 10000});
    const ended = await again.page.$eval('#notice-text', (e) => e.textContent);
    check(ended === 'Hra skončila. Můžete ji spustit znovu.', `at the end the page says "${ended}"`);
    await again.heardAsExpected('after the reload');
    await again.page.click('#restart');
    await again.find('menu', {exact: true, seconds: 60});
    console.log(`transferred for the page: ${(transferred / 1e6).toFixed(2)} MB`);
    check(transferred <= 6e6, `the page took ${transferred} bytes, more than 6 MB`);
    return player.tab.console;
  },

  // A stored table cut in its second record: the desktop's message and table.
  async brokenTable(browser) {
    const player = await start(browser);
    await plantScores(player.page, 'Anna,1,2,3,1.1.2026\r\nBob,1\r\n');
    await player.page.reload({waitUntil: 'domcontentloaded'});
    await player.find('menu', {exact: true, seconds: 60});
    await player.click('menu', 'scores', Button, Button, Alert); // and the first record's click
    await player.find('broken', {exact: true});
    await player.press('Enter');
    await player.find('brokenTable', {exact: true});
    await player.heardAsExpected('a broken table');
    return player.tab.console;
  },

  // Two tabs save at once: both records are kept.
  async twoTabs(browser) {
    const players = [await start(browser), await start(browser)];
    for (const [i, player] of players.entries()) {
      await saveFromMenu(player, `Hráč ${i + 1}`, {empty: true});
    }
    await Promise.all(players.map(async (p) => {
      await p.press('Tab');
      await p.press('Enter', ...okSounds);
    }));
    for (const player of players) await player.find('table');
    const stored = text1250(await storedScores(players[0].page));
    for (const name of ['Hr\xe1\xe8 1', 'Hr\xe1\xe8 2']) {
      check(stored.includes(`${name},0,0,0,`), `Data5.dat after two saves at once: ${JSON.stringify(stored)}`);
    }
    return players.flatMap((p) => p.tab.console);
  },

  // The button's sound cannot be decoded: the game plays on, with its other sounds.
  async soundFails(browser) {
    const player = await start(browser, {failing: Button});
    await player.click('menu', 'newGame');
    await player.find('board');
    await player.click('board', 'houseFront', Miss);
    await player.heardAsExpected('with the button sound broken');
    return player.tab.console;
  },

  // Opened straight from the folder: the page says how to open it instead.
  async fromFile(browser) {
    const tab = await openTab(browser);
    await tab.page.goto(pathToFileURL(path.join(siteDir, 'index.html')).href);
    const text = await tab.page.$eval('#notice-text', (e) => e.textContent);
    check(text.startsWith('Hru je potřeba otevřít z webového serveru'), `from a file the page says "${text}"`);
    return tab.console;
  },
};

let failed = 0;
const chosen = Object.entries(journeys).filter(([name]) => !only.length || only.includes(name));
const browser = await launch(fs.mkdtempSync(path.join(out, 'profile-')));
for (const [name, journey] of chosen) {
  const started = Date.now();
  const context = await browser.createBrowserContext();
  try {
    const printed = await journey(context);
    check(printed.length === 0, `the console: ${printed.join(' | ')}`);
    console.log(`PASS ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
  } catch (error) {
    ++failed;
    console.log(`FAIL ${name}: ${error.message}`);
    for (const [i, page] of (await context.pages()).entries()) {
      writePng(path.join(out, `failed-${name}-${i + 1}.png`), await screenshot(page));
    }
  } finally {
    await context.close();
  }
}
await browser.close();
console.log(`${chosen.length - failed} passed, ${failed} failed`);
if (failed) console.log(`the screens at the failures, and the profiles: ${out}`);
else fs.rmSync(out, {recursive: true, force: true});
process.exit(failed ? 1 : 0);
