'use strict';
// Shortcuts for the pop-out menu's roles and states.
const fs = require('node:fs');
const path = require('node:path');
const { publish, FIXTURES } = require('./programs');
const { withParams, withItems, readProject } = require('./projects');

// A 1x1 PNG, written for every background image the items name.
const PIXEL = Buffer.from('iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==', 'base64');

function esc(s) { return s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'); }

const link = (page, name) => page.getByRole('link', { name, exact: true });
// A parent without a link is its own toggle; a parent with one gets a separate "… submenu" button.
const toggle = (page, name) => page.getByRole('button', { name: new RegExp(`^${esc(name)}( submenu)?$`) });
const itemOf = (control) => control.locator('xpath=ancestor::li[1]');

async function subOf(page, name) {
  const id = await toggle(page, name).getAttribute('aria-controls');
  return page.locator(`[id="${id}"]`);
}

async function isOpen(page, name) {
  return (await toggle(page, name).getAttribute('aria-expanded')) === 'true';
}

// A fixture by file name, or a project given as a Buffer.
function fixture(name, params = {}, items) {
  let buf = Buffer.isBuffer(name) ? name : fs.readFileSync(path.join(FIXTURES, name));
  if (Object.keys(params).length) buf = withParams(buf, params);
  if (items) buf = withItems(buf, items);
  return buf;
}

// Publishes a dulcamon fixture with changed parameters; `edit` may rewrite the page text.
function menuPage(name, params = {}, { items, edit, page = 'menu' } = {}) {
  const buf = fixture(name, params, items);
  const site = publish('dulcamon', buf, page);
  for (const it of readProject(buf).items) {
    for (const img of [it[7], it[8]]) if (img) fs.writeFileSync(path.join(site.dir, img), PIXEL);
  }
  if (edit) fs.writeFileSync(site.page, edit(fs.readFileSync(site.page, 'latin1')), 'latin1');
  return site;
}

async function center(locator) {
  const b = await locator.boundingBox();
  return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
}

async function style(locator, prop) {
  return locator.evaluate((e, p) => getComputedStyle(e).getPropertyValue(p), prop);
}

module.exports = { link, toggle, itemOf, subOf, isOpen, fixture, menuPage, center, style };
