'use strict';
// A published folder served as an ordinary web server serves it: under http://site.test/, every
// page as "text/html" without a charset. Names in `hang` are asked for and never answered.
const fs = require('node:fs');
const path = require('node:path');
const { open } = require('./browser');

const ORIGIN = 'http://site.test/';
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.txt': 'text/plain', '.gif': 'image/gif', '.jpg': 'image/jpeg', '.au': 'audio/basic' };

// Opens a page of `dir` over the served origin; the session closes as open()'s does.
async function openServed(dir, page, options = {}) {
  const { hang = [], ...openOptions } = options;
  const s = await open(null, openOptions);
  s.asked = [];
  // The last route wins over open()'s guard, for this origin only.
  await s.context.route(ORIGIN + '**', (route) => {
    const name = decodeURIComponent(new URL(route.request().url()).pathname.slice(1));
    s.asked.push(name);
    if (hang.includes(name)) return undefined;
    const file = path.join(dir, name);
    if (!/^[^/\\]+$/.test(name) || !fs.existsSync(file)) return route.fulfill({ status: 404, contentType: 'text/plain', body: 'not found' });
    return route.fulfill({ status: 200, contentType: TYPES[path.extname(name).toLowerCase()] || 'application/octet-stream', body: fs.readFileSync(file) });
  });
  // A request that never answers holds the load event back: the page is there once parsed.
  await s.page.goto(ORIGIN + page, { waitUntil: 'domcontentloaded' });
  return s;
}

module.exports = { ORIGIN, openServed };
