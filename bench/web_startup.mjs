// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// How soon the browser shows the game's menu against a bare Qt window built the same way,
// from navigation to the first frame the page composes (the first WebGL draw), each in a
// fresh profile as a first visit is, in turns; and once, the 60-second countdown by the
// page's clock, from the "Nová hra" click's sound to the alert at its end. Run through
// tests/web/run.sh, which serves the folder holding game/ and bare/.
// Usage: node web_startup.mjs <address> <folder> <reference images> <sound files> [rounds]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  Height, Width, heard, launch, locate, openTab, readPng, soundNames,
  untilShown,
} from './browser.mjs';

const [address, , referenceDir, assetsDir, roundsText = '7'] = process.argv.slice(2);
const rounds = Number(roundsText);
const menu = readPng(path.join(referenceDir, 'menu.png'));
const names = soundNames(assetsDir);

function watchDraws() {
  window.omvarFirstDraw = null;
  for (const context of [WebGLRenderingContext, WebGL2RenderingContext]) {
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = context.prototype[name];
      context.prototype[name] = function (...args) {
        window.omvarFirstDraw ??= performance.now();
        return draw.apply(this, args);
      };
    }
  }
}

// One first visit: when the first frame was drawn, when a screenshot first showed the
// window, and the bytes transferred.
async function visit(site, window) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'omvar-bench-'));
  const browser = await launch(profile);
  try {
    const tab = await openTab(browser, {names});
    await tab.page.evaluateOnNewDocument(watchDraws);
    await tab.page.goto(`${address}${site}/`, {waitUntil: 'domcontentloaded'});
    const where = await untilShown(tab.page, window, 60, `${site}: no window`);
    const seen = await tab.page.evaluate(() => performance.now());
    const drawn = await tab.page.evaluate(() => window.omvarFirstDraw);
    return {drawn, seen, where, transferred: tab.transferred, tab, browser, profile};
  } catch (error) {
    await browser.close();
    throw error;
  }
}
async function close(result) {
  await result.browser.close();
  fs.rmSync(result.profile, {recursive: true, force: true});
}

const centre = [Math.floor((Width - menu.width) / 2), Math.floor((Height - menu.height) / 2)];
// A window is seen when nine tenths of a menu's area of the page show something else than
// the screen's background; the same test for both programs.
const windowSeen = (shot) => {
  const background = shot.data.subarray(0, 3);
  let other = 0;
  for (let i = 0; i < shot.data.length; i += 16) {
    if (Math.abs(shot.data[i] - background[0]) + Math.abs(shot.data[i + 1] - background[1]) +
        Math.abs(shot.data[i + 2] - background[2]) > 24) ++other;
  }
  return other * 4 >= 0.9 * menu.width * menu.height;
};
const menuShown = (shot) => {
  const found = locate(shot, menu, ...centre, 40);
  return found.differing <= menu.width * menu.height / 20 && found; // as the journey finds it
};

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const times = {game: [], bare: []};
let transferred = {};
console.log('| round | game: first frame | game: menu seen | bare: first frame | bare: window seen |');
console.log('|---|---|---|---|---|');
for (let round = 1; round <= rounds; ++round) {
  const row = [];
  for (const site of ['game', 'bare']) {
    const result = await visit(site, windowSeen);
    times[site].push(result.drawn);
    transferred[site] = result.transferred;
    row.push(`${result.drawn.toFixed(0)} ms`, `${result.seen.toFixed(0)} ms`);
    await close(result);
  }
  console.log(`| ${round} | ${row.join(' | ')} |`);
}
const game = median(times.game);
const bare = median(times.bare);
console.log(`\nmedian first frame: game ${game.toFixed(0)} ms, bare window ${bare.toFixed(0)} ms, ` +
  `ratio ${(game / bare).toFixed(2)}`);
console.log(`transferred: game ${(transferred.game / 1e6).toFixed(2)} MB, ` +
  `bare window ${(transferred.bare / 1e6).toFixed(2)} MB`);

// The countdown, in a game left alone.
const result = await visit('game', menuShown);
const {page} = result.tab;
await page.mouse.click(result.where.x + 88, result.where.y + 312); // "Nová hra"
await page.waitForFunction(() => window.omvarHeard.starts.some((s) => s.file === 'Data2.dat'),
  {timeout: 90000, polling: 100});
const starts = (await heard(page)).starts;
const begun = starts.find((s) => s.file === 'Data4.dat').at;
const over = starts.find((s) => s.file === 'Data2.dat').at;
console.log(`countdown: ${((over - begun) / 1000).toFixed(2)} s by the page's clock`);
await close(result);
