'use strict';
// Holds a script runtime's drawing against the native preview's picture of the same document:
// both PNGs are compared outside the text, pixel by pixel, within a tolerance.
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { PNG } = require('pngjs');
const { buildDir } = require('./programs');

const OUT = path.resolve(__dirname, '..', 'out');

const TOOLS = {
  vantrel: ['vantrel', 'preview', 'tests', 'vantrel_preview_snapshot'],
  osmerin: ['osmerin', 'gui', 'tests', 'osmerin_preview_snapshot'],
};

function snapshotTool(product) { return path.join(buildDir(), ...TOOLS[product]); }

function snapshotSkip(product) {
  try {
    fs.accessSync(snapshotTool(product), fs.constants.X_OK);
    return false;
  } catch {
    return `${product}'s preview snapshot tool not found at ${snapshotTool(product)}: build it, or set KZT_BUILD_DIR`;
  }
}

// The native preview of a project file: its picture and geometry, written into folder.
function nativeSnapshot(product, projectFile, folder, ...args) {
  execFileSync(snapshotTool(product), [projectFile, folder, ...args.map(String)],
    { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: ['ignore', 'pipe', 'pipe'] });
  return {
    png: PNG.sync.read(fs.readFileSync(path.join(folder, 'preview.png'))),
    geometry: JSON.parse(fs.readFileSync(path.join(folder, 'preview.json'), 'utf8')),
  };
}

// [left, top, right, bottom] grown by g on every side.
const grow = (r, g) => [r[0] - g, r[1] - g, r[2] + g, r[3] + g];

// Pixels whose largest channel difference passes `tolerance`, outside the masked rectangles;
// `within` is the largest difference that did not.
function compare(a, b, masks, tolerance) {
  const { width, height } = a;
  const masked = new Uint8Array(width * height);
  for (const m of masks) {
    for (let y = Math.max(0, m[1]); y < Math.min(height, m[3]); y++) {
      for (let x = Math.max(0, m[0]); x < Math.min(width, m[2]); x++) masked[y * width + x] = 1;
    }
  }
  const diff = new PNG({ width, height });
  let compared = 0;
  let differing = 0;
  let within = 0;
  for (let i = 0; i < width * height; i++) {
    const o = i * 4;
    const d = Math.max(Math.abs(a.data[o] - b.data[o]), Math.abs(a.data[o + 1] - b.data[o + 1]), Math.abs(a.data[o + 2] - b.data[o + 2]));
    const grey = (a.data[o] + a.data[o + 1] + a.data[o + 2]) / 3;
    // The diff image: differing pixels red, masked ones blue, the rest a faint copy of the native picture.
    const shown = masked[i] ? [40, 40, 160 + grey / 4] : d > tolerance ? [255, 0, 0] : [grey / 3 + 170, grey / 3 + 170, grey / 3 + 170];
    diff.data.set([...shown.map(Math.round), 255], o);
    if (masked[i]) continue;
    compared++;
    if (d > tolerance) differing++;
    else within = Math.max(within, d);
  }
  return { compared, differing, within, fraction: compared ? differing / compared : 0, diff };
}

// Keeps the three pictures of a failed comparison for a human to look at.
function keepForHuman(name, native, browser, diff) {
  fs.mkdirSync(OUT, { recursive: true });
  const files = { native, browser, diff };
  for (const [k, png] of Object.entries(files)) fs.writeFileSync(path.join(OUT, `${name}-${k}.png`), PNG.sync.write(png));
  return path.join(OUT, `${name}-{native,browser,diff}.png`);
}

module.exports = { snapshotSkip, nativeSnapshot, grow, compare, keepForHuman, PNG, OUT };
