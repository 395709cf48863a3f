'use strict';
// Every shipped applet template's text against its background, in every look, at WCAG 2.1 AA's
// 4.5:1: the menu's items normal, mouse-over and clicked (both ends of a ramp), the news items
// normal and mouse-over on the box, and the loading messages.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { share, templates, SEP } = require('./lib/applets');
const { contrast } = require('./lib/contrast');

const split = (line) => line.split(SEP).slice(0, -1);

function vantrelPairs(text) {
  const lines = text.split('\r\n');
  const app = split(lines[lines.indexOf('<Applet_Parameters>') + 1]);
  const pairs = [];
  for (const o of [28, 38]) if (app[o + 9] === '1' && app[o + 8]) pairs.push([`loading message at ${o}`, app[o + 7], app[17]]);
  for (let i = lines.indexOf('<Item_Parameters>') + 1; lines[i] !== '</Item_Parameters>'; i++) {
    const it = split(lines[i]);
    ['normal', 'mouse-over', 'clicked'].forEach((state, s) => {
      const f = it.slice(s * 20, s * 20 + 20);
      const bgs = +f[15] > 0 && +f[15] < 5 ? [f[13], f[14]] : [f[13]];
      for (const bg of bgs) pairs.push([`"${it[60]}" ${state}`, f[3], bg]);
    });
  }
  return pairs;
}

function osmerinPairs(text) {
  const lines = text.split('\r\n');
  const a = lines.indexOf('--------------- Applet Parameter Description Start ---------------') + 1;
  const s = lines.indexOf('--------------- Item Parameter Description Start ---------------') + 1;
  const pairs = [['loading message', lines[a + 21], lines[a + 20]]];
  for (let n = 0; n < +lines[s]; n++) {
    const it = lines.slice(s + 1 + n * 19, s + 20 + n * 19);
    if (it[13] === '1') continue;
    pairs.push([`item ${n} normal`, it[8], lines[a + 1]], [`item ${n} mouse-over`, it[9], lines[a + 1]]);
  }
  return pairs;
}

test('applet templates: every text at 4.5:1 or more in every look', () => {
  const low = [];
  for (const [product, pairsOf] of [['vantrel', vantrelPairs], ['osmerin', osmerinPairs]]) {
    for (const f of templates(product)) {
      const pairs = pairsOf(fs.readFileSync(share(product, 'templates', f), 'latin1'));
      assert.ok(pairs.length >= 1, f);
      for (const [what, fg, bg] of pairs) {
        const r = contrast(fg, bg);
        if (r < 4.5) low.push(`${f} ${what}: ${fg} on ${bg} is ${r.toFixed(2)}:1`);
      }
    }
  }
  assert.deepEqual(low, []);
});
