'use strict';
// Debian's chromium driven by playwright-core, or with KZT_ENGINE=firefox Debian's Firefox ESR behind
// the same API (lib/firefox.js); every page fails its test on any page or console error.
const assert = require('node:assert/strict');
const { chromium } = require('playwright-core');

const ENGINE = process.env.KZT_ENGINE || 'chromium';
if (!['chromium', 'firefox'].includes(ENGINE)) throw new Error(`KZT_ENGINE=${ENGINE}: chromium or firefox`);
const firefox = ENGINE === 'firefox' ? require('./firefox') : null;

const CHROMIUM = process.env.KZT_CHROMIUM || '/usr/bin/chromium';
const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

let browserPromise;
function browser() {
  if (!browserPromise) browserPromise = chromium.launch({ executablePath: CHROMIUM, args: ARGS });
  return browserPromise;
}

async function closeBrowser() {
  if (firefox) return firefox.closeBrowsers();
  if (browserPromise) await (await browserPromise).close();
  browserPromise = null;
}

// Opens a fresh context; records errors and any request that is not a local file.
async function open(url, options = {}) {
  if (firefox) return openFirefox(url, options);
  const { media, viewport = { width: 800, height: 600 }, init, ...contextOptions } = options;
  const context = await (await browser()).newContext({ viewport, ...contextOptions });
  const errors = [];
  const remote = [];
  const watch = (page) => {
    page.on('pageerror', (e) => errors.push(`pageerror on ${page.url()}: ${e.message}`));
    page.on('console', (m) => { if (m.type() === 'error') errors.push(`console error on ${page.url()}: ${m.text()}`); });
  };
  context.on('page', watch);
  await context.route('**', (route) => {
    const u = route.request().url();
    if (u.startsWith('file:') || u.startsWith('data:') || u === 'about:blank') return route.continue();
    remote.push(u);
    return route.abort();
  });
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  if (media) await page.emulateMedia(media);
  if (url) await page.goto(url);
  return {
    context, page, errors, remote,
    async close() {
      await context.close();
      assert.deepEqual(errors, [], 'no page or console errors');
      assert.deepEqual(remote, [], 'no request leaves the local files');
    },
  };
}

async function openFirefox(url, options) {
  const { context, page, errors, remote } = await firefox.openContext(options);
  if (url) await page.goto(url);
  return {
    context, page, errors, remote,
    async close() {
      await context.close();
      assert.deepEqual(errors, [], 'no page or console errors');
      assert.deepEqual(remote, [], 'no request leaves the local files');
    },
  };
}

// A reason to skip a test in this engine when it needs what the engine's driver cannot do, else false.
function lacks(feature) {
  return firefox ? firefox.lacks(feature) : false;
}

// A difference of the given engine that is known and reported but not yet resolved: there the test
// still runs and reports, as a to-do, without failing the run.
function knownIn(engine, what) {
  return ENGINE === engine ? `known difference in ${engine}: ${what}` : false;
}

// Runs body with an opened page and closes it, failing on errors even when body fails first.
async function withPage(url, options, body) {
  if (typeof options === 'function') { body = options; options = {}; }
  const s = await open(url, options);
  try {
    await body(s.page, s);
  } finally {
    await s.close();
  }
}

module.exports = { browser, closeBrowser, open, withPage, lacks, knownIn, CHROMIUM, ENGINE };
