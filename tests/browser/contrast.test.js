'use strict';
// Every shipped template's colour pairs, in every state, against WCAG 2.1 AA: 4.5:1 for text,
// 3:1 for the focus ring (the pop-out menu draws it in the text colour of the focused item, over
// the item's mouse-over background).
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { REPO } = require('./lib/programs');
const { readProject } = require('./lib/projects');
const { contrast } = require('./lib/contrast');

const dir = (product) => path.join(REPO, product, 'share', 'templates');
const files = (product, ext) => fs.readdirSync(dir(product)).filter((f) => f.endsWith(ext)).sort();

test('the contrast formula matches known values', () => {
  assert.equal(contrast('000000', 'FFFFFF').toFixed(2), '21.00');
  assert.equal(contrast('FFFFFF', 'FFFFFF').toFixed(2), '1.00');
  assert.equal(contrast('767676', 'FFFFFF').toFixed(2), '4.54');
  assert.throws(() => contrast('', 'FFFFFF'));
});

test('dulcamon templates: every item, normal and mouse-over/focus/open, text and focus ring', () => {
  const low = new Set();
  for (const f of files('dulcamon', '.dlcg')) {
    const { items } = readProject(fs.readFileSync(path.join(dir('dulcamon'), f)));
    assert.ok(items.length > 0, f);
    items.forEach((it) => {
      const pairs = [['normal text', it[11], it[9], 4.5], ['mouse-over, focus and open text', it[12], it[10], 4.5],
        ['focus ring', it[12], it[10], 3]];
      for (const [state, fg, bg, min] of pairs) {
        const r = contrast(fg, bg);
        if (r < min) low.add(`${f} ${state}: ${fg} on ${bg} is ${r.toFixed(2)}:1`);
      }
    });
  }
  assert.deepEqual([...low], []);
});

test('kestravo templates: the select, the tip option, main items and both sub item classes', () => {
  const low = [];
  const pairs = [['select', 6, 7], ['tip option', 8, 9], ['main item', 10, 11], ['sub item', 12, 13], ['alternate sub item', 14, 15]];
  for (const f of files('kestravo', '.ksdm')) {
    const { params } = readProject(fs.readFileSync(path.join(dir('kestravo'), f)));
    for (const [state, fg, bg] of pairs) {
      const r = contrast(params[fg], params[bg]);
      if (r < 4.5) low.push(`${f} ${state}: ${params[fg]} on ${params[bg]} is ${r.toFixed(2)}:1`);
    }
  }
  assert.deepEqual(low, []);
});
