// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Debian's chromium under puppeteer-core, and what the browser tests read from it: the
// screen's pixels, the sounds handed to Web Audio, the console, the bytes transferred.
import puppeteer from 'puppeteer-core';
import {PNG} from 'pngjs';
import fs from 'node:fs';
import path from 'node:path';

export const Width = 1024;
export const Height = 768;

// A profile folder of its own, kept by the caller across a reload or a restart.
export function launch(profile) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    defaultViewport: {width: Width, height: Height},
    args: ['--no-sandbox', '--disable-gpu', '--enable-unsafe-swiftshader', '--disable-quic',
      '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync'],
  });
}

// FNV-1a of a file's bytes: how the page's recorder and this side name a sound.
function fingerprint(bytes) {
  let h = 0x811c9dc5;
  for (const b of bytes) h = Math.imul(h ^ b, 0x01000193) >>> 0;
  return `${bytes.length}:${h}`;
}
export function soundNames(assets) {
  const names = {};
  for (const name of ['Data1.dat', 'Data2.dat', 'Data3.dat', 'Data4.dat']) {
    names[fingerprint(fs.readFileSync(path.join(assets, name)))] = name;
  }
  return names;
}

// Runs in the page before its scripts: which decoded buffer holds which file, and every
// start of a buffer, with the page's clock. The file named in `failing` reaches the
// browser's decoder as bytes it cannot decode.
function recordAudio(names, failing, fingerprintSource) {
  const fingerprintOf = new Function(`return ${fingerprintSource}`)();
  const fileOf = new WeakMap();
  const heard = (window.omvarHeard = {decoded: [], starts: []});
  const decode = BaseAudioContext.prototype.decodeAudioData;
  BaseAudioContext.prototype.decodeAudioData = function (data, ok, bad) {
    const file = names[fingerprintOf(new Uint8Array(data))] || 'unknown';
    heard.decoded.push(file);
    const bytes = file === failing ? new ArrayBuffer(data.byteLength) : data;
    const named = (buffer) => {
      fileOf.set(buffer, file);
      return buffer;
    };
    return decode.call(this, bytes, ok && ((buffer) => ok(named(buffer))), bad).then(named);
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    heard.starts.push({file: fileOf.get(this.buffer) || 'unknown', at: performance.now(),
      state: this.context.state});
    return start.apply(this, args);
  };
}

// A Czech player's browser, whose clock runs from noon of the day the desktop's reference
// images show: the game writes a score's date in the page's language, as they show it.
const ReferenceDay = new Date(2026, 11, 8, 12).getTime();
function asCzechOnReferenceDay(day) {
  const now = Date.now;
  const shift = day - now();
  Date.now = () => now() + shift;
  Object.defineProperty(navigator, 'languages', {get: () => ['cs-CZ', 'cs']});
  Object.defineProperty(navigator, 'language', {get: () => 'cs-CZ'});
}

// A new tab with the recorders on: console lines, page errors, failed requests, and the
// bytes each response took on the wire (headers and gzipped bodies).
// The software GL's performance notes are the browser's own, not the page's.
const browserOwn = /^\[\.WebGL-[0-9a-fx]+\]GL Driver Message/;
export async function openTab(browser, {names, failing = null} = {}) {
  const page = await browser.newPage();
  const tab = {page, console: [], transferred: 0, files: []};
  page.on('console', (m) => browserOwn.test(m.text()) || tab.console.push(`${m.type()}: ${m.text()}`));
  page.on('pageerror', (e) => tab.console.push(`pageerror: ${e.message}`));
  page.on('requestfailed', (r) => tab.console.push(`failed: ${r.url()}`));
  const cdp = (tab.cdp = await page.createCDPSession());
  await cdp.send('Network.enable');
  cdp.on('Network.responseReceived', (e) => tab.files.push(e.response.url));
  cdp.on('Network.loadingFinished', (e) => { tab.transferred += e.encodedDataLength; });
  await page.evaluateOnNewDocument(asCzechOnReferenceDay, ReferenceDay);
  if (names) {
    await page.evaluateOnNewDocument(recordAudio, names, failing, fingerprint.toString());
  }
  return tab;
}

export const heard = (page) => page.evaluate(() => window.omvarHeard);

export async function screenshot(page) {
  return PNG.sync.read(await page.screenshot({type: 'png', optimizeForSpeed: true}));
}
export function readPng(file) {
  return PNG.sync.read(fs.readFileSync(file));
}
export function writePng(file, png) {
  fs.writeFileSync(file, PNG.sync.write(png));
}

// Like the desktop's reference test: a channel may differ by 24 (font rendering), and 8
// pixels may differ beyond that. Pixels the reference leaves transparent are not compared.
export const ChannelTolerance = 24;
export const PixelsAllowed = 8;

// How many pixels of the reference differ from the shot with the reference's corner at x y;
// step > 1 compares a sparse grid only.
export function differing(shot, x, y, ref, step = 1) {
  let count = 0;
  for (let ry = 0; ry < ref.height; ry += step) {
    for (let rx = 0; rx < ref.width; rx += step) {
      const r = (ry * ref.width + rx) * 4;
      if (ref.data[r + 3] === 0) continue;
      const sx = x + rx;
      const sy = y + ry;
      if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height) {
        ++count;
        continue;
      }
      const s = (sy * shot.width + sx) * 4;
      if (Math.abs(shot.data[s] - ref.data[r]) > ChannelTolerance ||
          Math.abs(shot.data[s + 1] - ref.data[r + 1]) > ChannelTolerance ||
          Math.abs(shot.data[s + 2] - ref.data[r + 2]) > ChannelTolerance) ++count;
    }
  }
  return count;
}

// Where the reference lies best within `reach` pixels of x y: on a sparse grid first, then
// every pixel around the best; the place and its count of differing pixels.
export function locate(shot, ref, x, y, reach) {
  let best = {x, y, differing: Infinity};
  for (let dy = -reach; dy <= reach; ++dy) {
    for (let dx = -reach; dx <= reach; ++dx) {
      const d = differing(shot, x + dx, y + dy, ref, 9);
      if (d < best.differing) best = {x: x + dx, y: y + dy, differing: d};
    }
  }
  return {...best, differing: differing(shot, best.x, best.y, ref)};
}

// The RGB values of a rectangle, to tell whether two shots show the same there.
export function crop(shot, x, y, w, h) {
  const out = [];
  for (let yy = y; yy < y + h; ++yy) {
    out.push(shot.data.subarray((yy * shot.width + x) * 4, (yy * shot.width + x + w) * 4).join());
  }
  return out.join(';');
}

// Polls until check(shot) gives a value, for up to `seconds`; the shot is kept for a
// failure's picture.
export async function untilShown(page, check, seconds, what, keep) {
  const end = Date.now() + seconds * 1000;
  let shot;
  for (;;) {
    shot = await screenshot(page);
    const found = check(shot);
    if (found) return found;
    if (Date.now() > end) {
      if (keep) writePng(keep, shot);
      throw new Error(`${what}${keep ? ` (the screen: ${keep})` : ''}`);
    }
    await new Promise((r) => setTimeout(r, 50));
  }
}
