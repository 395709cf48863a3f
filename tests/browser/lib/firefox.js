'use strict';
// Debian's Firefox ESR driven by puppeteer-core over WebDriver BiDi, behind the small part of the
// playwright-core API that the test bodies use (pages, frames, locators, keyboard and mouse), so one
// test body runs in both engines. What the protocol cannot emulate is named by `lacks`.
const puppeteer = require('puppeteer-core');

const FIREFOX = process.env.KZT_FIREFOX || '/usr/bin/firefox-esr';
// As playwright-core's default.
const TIMEOUT = 30000;

// Media features are profile preferences in Firefox: one browser per set of them.
const MEDIA_PREFS = {
  reducedMotion: { reduce: { 'ui.prefersReducedMotion': 1 }, 'no-preference': { 'ui.prefersReducedMotion': 0 } },
  forcedColors: { active: { 'browser.display.document_color_use': 2, 'ui.useAccessibilityTheme': 1 }, none: {} },
};

const browsers = new Map();
function browserWith(prefs = {}) {
  const key = JSON.stringify(prefs);
  if (!browsers.has(key)) {
    browsers.set(key, puppeteer.launch({
      browser: 'firefox', executablePath: FIREFOX, headless: true, protocolTimeout: 60000,
      // For keys into a select's opened list (parentKeys below).
      args: ['-remote-allow-system-access'],
      extraPrefsFirefox: {
        // No dialogs or network use of the browser's own.
        'browser.shell.checkDefaultBrowser': false, 'app.update.enabled': false,
        'datareporting.policy.dataSubmissionEnabled': false, 'network.captive-portal-service.enabled': false,
        ...prefs,
      },
    }));
  }
  return browsers.get(key);
}

function prefsFor(media = {}) {
  const prefs = {};
  for (const [k, v] of Object.entries(media)) {
    const p = MEDIA_PREFS[k]?.[v];
    if (!p) throw new Error(`Firefox run: media ${k}=${v} cannot be emulated`);
    Object.assign(prefs, p);
  }
  return prefs;
}

async function closeBrowsers() {
  const all = [...browsers.values()];
  browsers.clear();
  for (const b of all) await (await b).close();
}

// Firefox draws a select's opened list in its parent process, and the driver's keys are dispatched
// in the page, where they never reach that list. While such a list is open, keys go in through the
// parent process as a real keyboard's do: the list handles them and the page sees no key at all.
// Runs in the browser's own (privileged) scope; returns whether a list was open to take the keys.
function parentKeys(keys) {
  /* global Services, Cc, Ci */
  const open = (w) => w.document.querySelector('#ContentSelectDropdown > menupopup')?.state === 'open';
  const win = [...Services.wm.getEnumerator('navigator:browser')].find(open);
  if (!win) return false;
  const tip = Cc['@mozilla.org/text-input-processor;1'].createInstance(Ci.nsITextInputProcessor);
  if (!tip.beginInputTransactionForTests(win)) return false;
  const CODES = { Backspace: 8, Tab: 9, Enter: 13, Shift: 16, Control: 17, Alt: 18, Escape: 27, ' ': 32, PageUp: 33,
    PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, F4: 115 };
  const event = (key) => new win.KeyboardEvent('', {
    key,
    code: { ' ': 'Space', Shift: 'ShiftLeft', Control: 'ControlLeft', Alt: 'AltLeft' }[key] || (/^[a-z]$/i.test(key) ? 'Key' + key.toUpperCase() : key),
    keyCode: CODES[key] || key.toUpperCase().charCodeAt(0),
  });
  const key = keys.pop();
  for (const m of keys) tip.keydown(event(m));
  tip.keydown(event(key));
  tip.keyup(event(key));
  for (const m of keys.reverse()) tip.keyup(event(m));
  return true;
}

// The browser's own window, where parentKeys runs.
const chromeContexts = new WeakMap();
async function inParent(pp, fn, arg) {
  const conn = pp.browser().connection;
  if (!chromeContexts.has(conn)) {
    chromeContexts.set(conn, conn.send('browsingContext.getTree', { maxDepth: 0, 'moz:scope': 'chrome' })
      .then((r) => r.result.contexts[0].context));
  }
  const r = await conn.send('script.evaluate', {
    expression: `(${fn})(${JSON.stringify(arg)})`, target: { context: await chromeContexts.get(conn) }, awaitPromise: false,
  });
  if (r.result.type === 'exception') throw new Error(`in the browser's window: ${r.result.exceptionDetails.text}`);
  return r.result.result.value;
}

// What a test needs that the Firefox run cannot give.
const LACKS = {
  ariaSnapshot: 'ARIA snapshots are a playwright-core feature; the Firefox run has none',
};
function lacks(feature) {
  if (!LACKS[feature]) throw new Error(`unknown feature ${feature}`);
  return LACKS[feature];
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function poll(what, timeout, fn) {
  const end = Date.now() + (timeout || TIMEOUT);
  let last;
  for (;;) {
    try {
      const v = await fn();
      if (v !== undefined && v !== false) return v;
    } catch (e) {
      if (e.strict) throw e;
      last = e;
    }
    if (Date.now() > end) throw new Error(`Timed out after ${timeout || TIMEOUT} ms waiting for ${what}${last ? `: ${last.message}` : ''}`);
    await sleep(30);
  }
}

const urlMatches = (url, want) => (want instanceof RegExp ? want.test(url) : typeof want === 'function' ? want(new URL(url)) : url === want);

// Runs in the page: the elements a chain of locator steps names, in document order.
function resolveSteps(steps) {
  const norm = (s) => (s || '').replace(/\s+/g, ' ').trim();
  const hiddenFromTree = (e) => {
    for (let n = e; n && n.nodeType === 1; n = n.parentElement) {
      if (n.hidden || n.getAttribute('aria-hidden') === 'true') return true;
      const cs = getComputedStyle(n);
      if (cs.display === 'none') return true;
    }
    return getComputedStyle(e).visibility !== 'visible';
  };
  const visible = (e) => {
    const r = e.getBoundingClientRect();
    return r.width > 0 && r.height > 0 && getComputedStyle(e).visibility === 'visible';
  };
  const roleOf = (e) => {
    const explicit = e.getAttribute('role');
    if (explicit) return explicit.split(/\s+/)[0];
    const t = e.tagName.toLowerCase();
    if (t === 'a' || t === 'area') return e.hasAttribute('href') ? 'link' : null;
    if (t === 'button') return 'button';
    if (t === 'select') return e.multiple || e.size > 1 ? 'listbox' : 'combobox';
    if (t === 'nav') return 'navigation';
    if (t === 'section') return e.hasAttribute('aria-label') || e.hasAttribute('aria-labelledby') ? 'region' : null;
    if (t === 'ul' || t === 'ol') return 'list';
    if (t === 'li') return 'listitem';
    if (t === 'option') return 'option';
    if (t === 'img') return e.getAttribute('alt') === '' ? 'presentation' : 'img';
    if (/^h[1-6]$/.test(t)) return 'heading';
    if (t === 'input') {
      const type = (e.getAttribute('type') || 'text').toLowerCase();
      return { checkbox: 'checkbox', radio: 'radio', button: 'button', submit: 'button', reset: 'button' }[type] || 'textbox';
    }
    return null;
  };
  const textOf = (e) => {
    let s = '';
    for (const n of e.childNodes) {
      if (n.nodeType === 3) s += n.textContent;
      else if (n.nodeType === 1 && !hiddenFromTree(n)) s += n.tagName === 'IMG' ? n.getAttribute('alt') || '' : ' ' + nameOf(n, true) + ' ';
    }
    return s;
  };
  function nameOf(e, inner) {
    const by = e.getAttribute('aria-labelledby');
    if (by && !inner) return norm(by.split(/\s+/).map((id) => document.getElementById(id)?.textContent || '').join(' '));
    const label = e.getAttribute('aria-label');
    if (label && label.trim()) return norm(label);
    if (/^(INPUT|SELECT|TEXTAREA)$/.test(e.tagName)) {
      const labels = e.labels ? [...e.labels] : [];
      if (labels.length) return norm(labels.map((l) => l.textContent).join(' '));
      return norm(e.getAttribute('title') || '');
    }
    if (inner || ['link', 'button', 'option', 'heading', 'listitem'].includes(roleOf(e))) {
      const t = norm(textOf(e));
      if (t) return t;
    }
    return norm(e.getAttribute('title') || '');
  }
  const nameMatches = (name, want, exact) => {
    if (want === undefined) return true;
    if (want && want.regexp) return new RegExp(want.regexp, want.flags).test(name);
    return exact ? name === norm(want) : name.toLowerCase().includes(norm(want).toLowerCase());
  };
  const descendants = (root) => [...(root.querySelectorAll ? root.querySelectorAll('*') : [])];
  const uniq = (list) => [...new Set(list)];
  let set = [document];
  for (const s of steps) {
    if (s.css) set = uniq(set.flatMap((r) => [...r.querySelectorAll(s.css)]));
    else if (s.xpath) {
      set = uniq(set.flatMap((r) => {
        const x = document.evaluate(s.xpath, r, null, XPathResult.ORDERED_NODE_SNAPSHOT_TYPE, null);
        const out = [];
        for (let i = 0; i < x.snapshotLength; i++) out.push(x.snapshotItem(i));
        return out;
      }));
    } else if (s.role) {
      set = uniq(set.flatMap(descendants)).filter((e) => roleOf(e) === s.role && !hiddenFromTree(e) &&
        nameMatches(nameOf(e), s.name, s.exact));
    } else if (s.text !== undefined) {
      const hit = (e) => nameMatches(norm(e.textContent), s.text, s.exact);
      set = uniq(set.flatMap(descendants)).filter((e) => hit(e) && ![...e.children].some(hit));
    } else if (s.nth !== undefined) {
      const e = s.nth < 0 ? set[set.length + s.nth] : set[s.nth];
      set = e ? [e] : [];
    } else if (s.visible !== undefined) set = set.filter((e) => visible(e) === s.visible);
    else if (s.or) {
      const more = new Set(resolveSteps(s.or));
      set = [...document.querySelectorAll('*')].filter((e) => set.includes(e) || more.has(e));
    } else if (s.hasText !== undefined) set = set.filter((e) => nameMatches(norm(e.textContent), s.hasText, false));
  }
  return set.filter((e) => e !== document);
}

const pattern = (v) => (v instanceof RegExp ? { regexp: v.source, flags: v.flags } : v);

class Locator {
  constructor(frame, steps) { this._frame = frame; this._steps = steps; }
  _with(...steps) { return new Locator(this._frame, [...this._steps, ...steps]); }
  locator(selector, options) { return this._with(selectorStep(selector)).filter(options); }
  or(other) { return this._with({ or: other._steps }); }
  getByRole(role, { name, exact } = {}) { return this._with({ role, name: pattern(name), exact: !!exact }); }
  getByText(text, { exact } = {}) { return this._with({ text: pattern(text), exact: !!exact }); }
  nth(i) { return this._with({ nth: i }); }
  first() { return this.nth(0); }
  last() { return this.nth(-1); }
  filter({ visible, hasText } = {}) {
    const steps = [];
    if (visible !== undefined) steps.push({ visible });
    if (hasText !== undefined) steps.push({ hasText: pattern(hasText) });
    return this._with(...steps);
  }

  async _handles() {
    const f = await this._frame._pp();
    const arr = await f.evaluateHandle(`(${resolveSteps})(${JSON.stringify(this._steps)})`);
    const props = await arr.getProperties();
    await arr.dispose();
    return [...props.entries()].filter(([k]) => /^\d+$/.test(k)).sort((a, b) => a[0] - b[0]).map(([, h]) => h);
  }
  async count() {
    const f = await this._frame._pp();
    return f.evaluate(`(${resolveSteps})(${JSON.stringify(this._steps)}).length`);
  }
  async all() {
    const n = await this.count();
    return Array.from({ length: n }, (_, i) => this.nth(i));
  }
  // The one element, waited for; more than one is an error, as in strict locators.
  async _one(timeout) {
    return poll(`locator ${JSON.stringify(this._steps)}`, timeout, async () => {
      const hs = await this._handles();
      if (hs.length > 1) throw Object.assign(new Error(`strict mode: ${hs.length} elements match ${JSON.stringify(this._steps)}`), { strict: true });
      return hs.length ? hs[0] : undefined;
    });
  }
  async evaluate(fn, arg) { return (await this._one()).evaluate(fn, arg); }
  async evaluateAll(fn, arg) {
    const f = await this._frame._pp();
    const arr = await f.evaluateHandle(`(${resolveSteps})(${JSON.stringify(this._steps)})`);
    try {
      return await arr.evaluate(fn, arg);
    } finally {
      await arr.dispose();
    }
  }
  async getAttribute(name) { return this.evaluate((e, n) => e.getAttribute(n), name); }
  async textContent() { return this.evaluate((e) => e.textContent); }
  async isVisible() {
    const hs = await this._handles();
    if (hs.length > 1) throw new Error(`strict mode: ${hs.length} elements match ${JSON.stringify(this._steps)}`);
    if (!hs.length) return false;
    return hs[0].evaluate((e) => { const r = e.getBoundingClientRect(); return r.width > 0 && r.height > 0 && getComputedStyle(e).visibility === 'visible'; });
  }
  async boundingBox() {
    return this.evaluate((e) => {
      const r = e.getBoundingClientRect();
      if (!r.width && !r.height) return null;
      let x = r.x;
      let y = r.y;
      for (let w = e.ownerDocument.defaultView; w.frameElement; w = w.parent) {
        const fr = w.frameElement.getBoundingClientRect();
        x += fr.x + w.frameElement.clientLeft;
        y += fr.y + w.frameElement.clientTop;
      }
      return { x, y, width: r.width, height: r.height };
    });
  }
  async waitFor({ state = 'visible', timeout } = {}) {
    await poll(`${JSON.stringify(this._steps)} to be ${state}`, timeout, async () => {
      const hs = await this._handles();
      if (state === 'attached') return hs.length > 0;
      if (state === 'detached') return hs.length === 0;
      const shown = hs.length > 0 && await this.isVisible();
      return state === 'visible' ? shown : !shown;
    });
  }
  async _actionable() {
    const h = await this._one();
    await poll('element to be visible', TIMEOUT, () => h.evaluate((e) => {
      const r = e.getBoundingClientRect();
      return r.width > 0 && r.height > 0 && getComputedStyle(e).visibility === 'visible';
    }));
    return h;
  }
  // The middle of the element, scrolled into view, in the page's coordinates (as a pointer reaches it).
  async _point() {
    const h = await this._actionable();
    await h.evaluate((e) => e.scrollIntoView({ block: 'nearest', inline: 'nearest' }));
    const b = await this.boundingBox();
    return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
  }
  async focus() { await (await this._one()).evaluate((e) => e.focus()); }
  // As playwright-core does: the pointer goes to the element first, and when what it then finds under
  // the pointer is something else (hover content that appeared), the element is aimed at again.
  async click() {
    const mouse = this._frame._page._pp_page.mouse;
    let hit = false;
    for (let i = 0; i < 5 && !hit; i++) {
      const { x, y } = await this._point();
      await mouse.move(x, y);
      hit = await (await this._one()).evaluate((e, [px, py]) => {
        let x0 = px;
        let y0 = py;
        for (let w = e.ownerDocument.defaultView; w.frameElement; w = w.parent) {
          const fr = w.frameElement.getBoundingClientRect();
          x0 -= fr.x + w.frameElement.clientLeft;
          y0 -= fr.y + w.frameElement.clientTop;
        }
        const at = e.ownerDocument.elementFromPoint(x0, y0);
        return !!at && (at === e || e.contains(at));
      }, [x, y]);
      if (hit) await mouse.click(x, y);
    }
    if (!hit) throw new Error(`click: another element is under the pointer at ${JSON.stringify(this._steps)}`);
  }
  async hover() {
    const { x, y } = await this._point();
    await this._frame._page._pp_page.mouse.move(x, y);
  }
  async tap() {
    const { x, y } = await this._point();
    await this._frame._page._pp_page.touchscreen.tap(x, y);
  }
  async selectOption(value) {
    const h = await this._one();
    const ok = await h.evaluate((e, v) => {
      const o = [...e.options].find((x) => x.value === v) || [...e.options].find((x) => x.label === v);
      if (!o) return false;
      o.selected = true;
      e.dispatchEvent(new Event('input', { bubbles: true, composed: true }));
      e.dispatchEvent(new Event('change', { bubbles: true }));
      return true;
    }, value);
    if (!ok) throw new Error(`no option ${value}`);
  }
  async ariaSnapshot() { throw new Error(LACKS.ariaSnapshot); }
  async screenshot(options = {}) { return (await this._actionable()).screenshot(options); }
}

function selectorStep(selector) {
  if (selector.startsWith('xpath=')) return { xpath: selector.slice(6) };
  if (selector.startsWith('css=')) return { css: selector.slice(4) };
  return { css: selector };
}

// Frames are found again on each use, since navigation replaces them.
class Frame {
  constructor(page, find) { this._page = page; this._find = find; }
  async _pp() { return poll('frame', TIMEOUT, this._find); }
  locator(selector, options) { return new Locator(this, [selectorStep(selector)]).filter(options); }
  getByRole(role, options) { return new Locator(this, []).getByRole(role, options); }
  getByText(text, options) { return new Locator(this, []).getByText(text, options); }
  async evaluate(fn, arg) { return (await this._pp()).evaluate(fn, arg); }
  async waitForSelector(selector, { state = 'visible', timeout } = {}) {
    const l = this.locator(selector).first();
    await l.waitFor({ state, timeout });
    return l;
  }
  async waitForFunction(fn, arg, { timeout } = {}) {
    const f = await this._pp();
    return f.waitForFunction(fn, { timeout: timeout || TIMEOUT, polling: 'raf' }, arg);
  }
  async selectOption(selector, value) { return this.locator(selector).first().selectOption(value); }
  async focus(selector) { return this.locator(selector).first().focus(); }
  async click(selector) { return this.locator(selector).first().click(); }
  async $eval(selector, fn, arg) { return (await this._pp()).$eval(selector, fn, arg); }
  async $$eval(selector, fn, arg) { return (await this._pp()).$$eval(selector, fn, arg); }
  // The driver's URL of a frame can lag behind its navigations; the frame's own location does not.
  url() { return this._href || ''; }
  async waitForURL(want, { timeout } = {}) {
    await poll(`URL ${want}`, timeout, async () => {
      const [href, state] = await (await this._pp()).evaluate(() => [location.href, document.readyState]);
      this._href = href;
      return urlMatches(href, want) && state === 'complete';
    });
  }
}

class Page extends Frame {
  constructor(context, pp) {
    super(null, async () => pp.mainFrame());
    this._page = this;
    this._pp_page = pp;
    this.context_ = context;
    this.keyboard = {
      press: async (combo) => {
        const keys = combo.split('+').map((k) => (k === 'Space' ? ' ' : k));
        if (await inParent(pp, parentKeys, keys)) return;
        const key = keys.pop();
        for (const m of keys) await pp.keyboard.down(m);
        await pp.keyboard.press(key);
        for (const m of keys.reverse()) await pp.keyboard.up(m);
      },
      type: (text) => pp.keyboard.type(text),
      down: (k) => pp.keyboard.down(k),
      up: (k) => pp.keyboard.up(k),
    };
    this.mouse = {
      move: (x, y, { steps } = {}) => pp.mouse.move(x, y, { steps }),
      down: () => pp.mouse.down(),
      up: () => pp.mouse.up(),
      click: (x, y) => pp.mouse.click(x, y),
    };
    this.touchscreen = { tap: (x, y) => pp.touchscreen.tap(x, y) };
  }
  url() { return this._href || this._pp_page.url(); }
  context() { return this.context_; }
  frame({ name }) {
    return new Frame(this, async () => {
      for (const f of this._pp_page.frames()) {
        if (f === this._pp_page.mainFrame()) continue;
        if ((await f.evaluate(() => window.name).catch(() => null)) === name) return f;
      }
      return undefined;
    });
  }
  async goto(url) { await this._pp_page.goto(url); }
  // Back may restore the page from the cache without a navigation event: the driver neither returns
  // nor updates its URL then, so the URL is read from the page until the next navigation.
  async goBack() {
    const pp = this._pp_page;
    const from = pp.url();
    pp.goBack({ timeout: TIMEOUT }).catch(() => {});
    this._href = await poll('Back', TIMEOUT, async () => {
      const href = await pp.evaluate(() => location.href);
      return href !== from ? href : undefined;
    });
    const clear = (f) => { if (f === pp.mainFrame()) { this._href = null; pp.off('framenavigated', clear); } };
    pp.on('framenavigated', clear);
  }
  async waitForURL(want, options) {
    const timeout = options?.timeout;
    await poll(`URL ${want}`, timeout, async () => urlMatches(this.url(), want) &&
      (await this._pp_page.evaluate(() => document.readyState)) === 'complete');
  }
  async waitForTimeout(ms) { await sleep(ms); }
  async setViewportSize({ width, height }) {
    await this._pp_page.setViewport({ ...this._pp_page.viewport(), width, height });
  }
  viewportSize() {
    const v = this._pp_page.viewport();
    return v && { width: v.width, height: v.height };
  }
  async addScriptTag(options) { return this._pp_page.addScriptTag(options); }
  async screenshot(options = {}) { return this._pp_page.screenshot(options); }
  async close() { await this._pp_page.close(); }
}

class Context {
  constructor(pp, watch) {
    this._pp = pp;
    this._watch = watch;
    this._pages = new Map();
    this._waiters = [];
    pp.on('targetcreated', async (t) => {
      if (t.type() !== 'page') return;
      const p = await t.page();
      if (!p || this._pages.has(p)) return;
      const page = this._wrap(p);
      for (const w of this._waiters.splice(0)) w(page);
    });
  }
  _wrap(pp) {
    if (!this._pages.has(pp)) {
      const page = new Page(this, pp);
      this._pages.set(pp, page);
      this._watch(page, pp);
    }
    return this._pages.get(pp);
  }
  async newPage() { return this._wrap(await this._pp.newPage()); }
  waitForEvent(event, { timeout } = {}) {
    if (event !== 'page') throw new Error(`Firefox run: context event ${event} is not offered`);
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`no new page within ${timeout || TIMEOUT} ms`)), timeout || TIMEOUT);
      this._waiters.push((p) => { clearTimeout(timer); resolve(p); });
    });
  }
  async close() { await this._pp.close(); }
}

// Opens a fresh context with the given playwright-style options; records errors and remote requests.
async function openContext(options = {}) {
  const { media, viewport = { width: 800, height: 600 }, init, hasTouch, ...rest } = options;
  const unknown = Object.keys(rest);
  if (unknown.length) throw new Error(`Firefox run: context options ${unknown} are not offered`);
  const browser = await browserWith(prefsFor(media));
  const errors = [];
  const remote = [];
  const watch = (page, pp) => {
    pp.on('pageerror', (e) => errors.push(`pageerror on ${pp.url()}: ${e.message}`));
    pp.on('console', (m) => { if (m.type() === 'error') errors.push(`console error on ${pp.url()}: ${m.text()}`); });
    pp.on('request', (r) => {
      const u = r.url();
      if (!(u.startsWith('file:') || u.startsWith('data:') || u.startsWith('about:'))) remote.push(u);
    });
  };
  const context = new Context(await browser.createBrowserContext(), watch);
  const page = await context.newPage();
  await page._pp_page.setViewport({ ...viewport, hasTouch: !!hasTouch });
  if (init) await page._pp_page.evaluateOnNewDocument(init);
  return { context, page, errors, remote };
}

module.exports = { openContext, closeBrowsers, lacks, FIREFOX };
