/* vantrel20.js: draws a Vantrel gliding menu in place of its applet, for browsers without Java.
   It reads the applet's own parameters (or its parameters file) and lays the items out as the
   editor's preview does. */
(function () {
  'use strict';
  var SEP = '#$@', FACES = ['TimesRoman,"Times New Roman",serif', 'Helvetica,Arial,sans-serif',
    'Courier,"Courier New",monospace', 'Dialog,sans-serif'];
  // Pictures are bare file names beside the page.
  var doc = document, uid = 0, PIC = /^[^\/\\:?#%]+\.(gif|jpe?g)$/i;

  function fields(v) { var f = String(v == null ? '' : v).split(SEP); f.pop(); return f; }
  function num(v, d) { var n = parseInt(v, 10); return isNaN(n) ? (d || 0) : n; }
  function rgb(h) { h = /^[0-9A-Fa-f]{6}$/.test(h) ? h : '000000'; return [0, 2, 4].map(function (i) { return parseInt(h.substr(i, 2), 16); }); }
  function css(c) { return 'rgb(' + c.join(',') + ')'; }
  function lighter(c) { return c.map(function (v) { return Math.min(255, (v * 3) >> 1); }); }
  function darker(c) { return c.map(function (v) { return Math.floor(v * 7 / 10); }); }
  function el(tag, cls, parent) { var e = doc.createElement(tag); if (cls) e.className = cls; if (parent) parent.appendChild(e); return e; }
  function px(v) { return v + 'px'; }
  function place(e, l, t, w, h) { var s = e.style; s.left = px(l); s.top = px(t); s.width = px(Math.max(0, w)); s.height = px(Math.max(0, h)); }

  // Fills as the preview draws them: flat, a ramp one way, or a ramp from both edges to the middle.
  function fill(e, mode, c1, c2) {
    var a = css(rgb(c1)), b = css(rgb(c2)), dir = mode < 3 ? 'to right' : 'to bottom';
    e.style.background = a;
    if (mode === 1 || mode === 3) e.style.backgroundImage = 'linear-gradient(' + dir + ',' + a + ',' + b + ')';
    if (mode === 2 || mode === 4) e.style.backgroundImage = 'linear-gradient(' + dir + ',' + a + ',' + b + ' 50%,' + a + ')';
  }

  // A picture by alignment: free at (x, y) of the box, centred, left, right, tiled or stretched.
  function picture(e, name, align, x, y) {
    if (!PIC.test(name || '')) return;
    var s = e.style, url = 'url("' + encodeURI(name).replace(/"/g, '%22') + '")';
    s.backgroundImage = s.backgroundImage ? url + ',' + s.backgroundImage : url;
    var pos = ['', 'center', 'left center', 'right center', 'left top', 'left top'][align];
    if (align === 0 || pos == null) pos = px(x) + ' ' + px(y);
    var rep = align === 4 ? 'repeat' : 'no-repeat', size = align === 5 ? '100% 100%' : 'auto';
    var extra = s.backgroundImage.indexOf('gradient') >= 0;
    s.backgroundPosition = pos + (extra ? ',0 0' : '');
    s.backgroundRepeat = rep + (extra ? ',no-repeat' : '');
    s.backgroundSize = size + (extra ? ',100% 100%' : '');
  }

  // The five border styles, drawn with inset shadows over the box: the first shadow lies on top.
  function border(e, w, style, colour) {
    var c = rgb(colour), sh = [], i;
    w = Math.max(0, Math.min(w, 400));
    function s(x, y, col) { sh.push('inset ' + px(x) + ' ' + px(y) + ' 0 0 ' + css(col)); }
    if (style === 1 || style === 2) {
      var a = style === 1 ? lighter(c) : darker(c), b = style === 1 ? darker(c) : lighter(c);
      if (w === 0) s(1, 1, b);
      else { s(1, 1, a); s(1 - w, 1 - w, c); s(w, w, c); s(-w, -w, a); s(w + 1, w + 1, b); }
    } else if (style === 3 || style === 4) {
      var ramp = function (base, k) { return c.map(function (v) { return base + Math.trunc((v - base) * k / w); }); };
      for (i = 1; i < w; i++) s(-i, -i, ramp(style === 3 ? 0 : 255, i));
      for (i = 0; i < w; i++) s(i + 1, i + 1, ramp(style === 3 ? 255 : 0, i));
    }
    e.style.boxShadow = sh.join(',');
  }

  // Captions break at the width and font of the preview's wrap box, not at the caption's own font.
  var measure;
  function wrap(text, width) {
    if (!measure) { measure = doc.createElement('canvas').getContext('2d'); measure.font = '11px "MS Sans Serif",sans-serif'; }
    var avail = Math.max(width, 6) - 6, lines = [];
    String(text).split(/\r\n|\r|\n/).forEach(function (para) {
      var line = '', lw = 0, words = para.match(/[^ ]*( *)/g) || [''];
      if (!para) { lines.push(''); return; }
      words.forEach(function (chunk) {
        if (!chunk) return;
        var word = chunk.replace(/ +$/, ''), ww = measure.measureText(word).width;
        if (lw + ww <= avail || !word) { line += chunk; lw += measure.measureText(chunk).width; return; }
        if (line) { lines.push(line); line = ''; lw = 0; }
        while (measure.measureText(word).width > avail && word.length > 1) {
          var n = 1;
          while (n < word.length && measure.measureText(word.slice(0, n + 1)).width <= avail) n++;
          lines.push(word.slice(0, n)); word = word.slice(n);
        }
        line = word + chunk.slice(chunk.replace(/ +$/, '').length);
        lw = measure.measureText(line).width;
      });
      if (line) lines.push(line);
    });
    return lines;
  }

  // One state's look (20 fields from offset b of a style entry) applied to an item element.
  function look(item, st, state) {
    var f = st.slice(state * 20, state * 20 + 20), e = item.el, w = item.w, h = item.h, m = num(f[16]);
    fill(e, num(f[15]), f[13], f[14]);
    picture(e, f[8], num(f[11]), num(f[9]), num(f[10]));
    var t = item.text.style, size = Math.min(1000, Math.max(1, num(f[1], 14) - 6)), style = num(f[2]);
    t.fontFamily = FACES[num(f[0], 1)] || 'sans-serif';
    t.fontSize = (size * 4 / 3) + 'px';
    t.fontWeight = style & 1 ? 'bold' : 'normal';
    t.fontStyle = style & 2 ? 'italic' : 'normal';
    t.color = css(rgb(f[3]));
    t.textAlign = ['left', 'center', 'right'][num(f[4], 1)] || 'center';
    t.justifyContent = ['flex-start', 'center', 'flex-end'][num(f[6], 1)] || 'center';
    place(item.text, m, m, w - 2 * m, h - 2 * m);
    t.transform = 'translate(' + px(num(f[5])) + ',' + px(num(f[7])) + ')';
    border(item.frame, num(f[16]), num(f[17]), f[18]);
  }

  function build(applet, p) {
    var app = fields(p.app), W = num(applet.getAttribute('width')), H = num(applet.getAttribute('height'));
    var bw = Math.max(0, num(app[8])), speedOpen = Math.max(1, num(app[15], 8)), speedClose = Math.max(1, num(app[16], 8));
    var styles = [], items = [], k;
    for (k = 0; p['is' + k] != null; k++) styles.push(fields(p['is' + k]));
    var box = el('nav', 'vantrel20'), id = 'vantrel20-' + (++uid);
    box.setAttribute('aria-label', 'Menu');
    box.style.width = px(W); box.style.height = px(H);
    fill(box, num(app[7]), app[5], app[6]);
    picture(box, app[0], num(app[3]), num(app[1]), num(app[2]));
    if (app[57] === '2') box.style.cursor = 'pointer';
    var view = el('div', 'v20-view', box), list = el('ul', '', view), frame = el('div', 'v20-frame', box);
    place(view, 0, 0, W, H);
    place(frame, 0, 0, W, H);
    border(frame, bw, num(app[9]), app[10]);
    var notes = el('div', 'v20-notes', box);
    notes.hidden = true;

    // The tree from the levels, in list order.
    var stack = [{ kids: [], ul: list, level: -1 }];
    for (k = 0; p['i' + k] != null; k++) {
      var f = fields(p['i' + k]), level = Math.max(0, num(f[7]));
      while (stack.length > 1 && stack[stack.length - 1].level >= level) stack.pop();
      var parent = stack[stack.length - 1];
      if (!parent.sub) { parent.sub = parent.ul ? parent.ul : el('ul', '', parent.li); parent.sub.id = parent.sub.id || id + '-g' + k; }
      var it = { index: k, f: f, level: level, parent: parent, kids: [], st: styles[num(f[9])] || styles[0] || [],
        ix: num(f[10]), iy: num(f[11]), w: Math.max(0, num(f[12])), h: Math.max(0, num(f[13])), state: 0 };
      it.li = el('li', '', parent.sub);
      parent.kids.push(it);
      items.push(it);
      stack.push(it);
    }
    items.forEach(function (it) {
      var f = it.f, link = f[1] && !/^\s*$/.test(f[1]);
      it.el = el(it.kids.length ? 'button' : (link ? 'a' : 'span'), 'v20-item', null);
      it.li.insertBefore(it.el, it.li.firstChild);
      if (it.el.tagName === 'BUTTON') it.el.type = 'button';
      if (link && it.el.tagName === 'A') { it.el.href = f[1]; if (f[2]) it.el.target = f[2]; }
      if (it.el.tagName === 'SPAN') it.el.tabIndex = -1;
      it.text = el('span', 'v20-text', it.el);
      it.text.textContent = wrap(f[0], it.w).join('\n');
      it.frame = el('span', 'v20-frame', it.el);
      place(it.frame, 0, 0, it.w, it.h);
      if (f[3]) {
        var d = el('span', '', notes); d.id = id + '-d' + it.index; d.textContent = f[3];
        it.el.setAttribute('aria-describedby', d.id);
        it.el.title = f[3];
      }
      if (app[57] === '1' || app[57] === '2') it.el.style.cursor = 'pointer';
      if (it.kids.length) {
        it.el.setAttribute('aria-controls', it.sub.id);
        // A group starts open when its items start visible.
        it.open = it.kids[0].f[8] === '1';
        it.ext = it.open ? Infinity : 0;
      }
      look(it, it.st, 0);
    });
    var root = stack[0];
    stack = null;

    var scroll = 0, bar = null, maxBottom = 0, clicked = null, gliding = false;

    // Stacks the shown items top to bottom: IX indents, IY is the gap above; a gliding group
    // shows as much of itself as has glided open and pushes the items below it by as much.
    function layout(kids, y, clip, shown) {
      kids.forEach(function (it) {
        var top = y + it.iy;
        it.top = top;
        var vis = shown && top < clip;
        place(it.el, it.ix + bw, top + scroll, it.w, it.h);
        it.el.style.clipPath = vis && top + it.h > clip ? 'inset(0 0 ' + px(top + it.h - clip) + ' 0)' : '';
        it.el.style.visibility = vis ? '' : 'hidden';
        it.li.hidden = !shown;
        y = top + it.h;
        if (it.kids.length) {
          var start = y, end = layout(it.kids, y, Math.min(clip, start + it.ext), shown && it.ext > 0);
          it.full = end - start;
          y = start + Math.max(0, Math.min(it.ext, it.full));
          it.el.setAttribute('aria-expanded', String(it.open));
        }
      });
      return y;
    }

    function draw() {
      var bottom = layout(root.kids, bw, Infinity, true), page = H - 2 * bw;
      maxBottom = bottom;
      var need = items.length && bottom > H - bw;
      if (!need) scroll = 0;
      else scroll = Math.max(-(bottom - page), Math.min(0, scroll));
      layout(root.kids, bw, Infinity, true);
      if (need && !bar) bar = makeBar();
      if (bar) { bar.el.hidden = !need; if (need) bar.update(bottom, page); }
    }

    // The coloured scroll bar of the preview: two buttons and a block in a track.
    function makeBar() {
      var vw = Math.max(0, num(app[56], 20)), left = app[49] === '1' ? W - bw - vw : bw + 1, hh = H - 2 * bw;
      var b = el('div', 'v20-bar', box), up = el('span', 'v20-btn', b), dn = el('span', 'v20-btn', b), thumb = el('span', 'v20-thumb', b);
      b.setAttribute('aria-hidden', 'true');
      place(b, left, bw, vw, hh);
      b.style.background = css(rgb(app[50]));
      thumb.style.background = css(rgb(app[51]));
      up.style.background = css(rgb(app[52])); dn.style.background = css(rgb(app[53]));
      up.style.color = css(rgb(app[54])); dn.style.color = css(rgb(app[55]));
      up.textContent = '\u25B2'; dn.textContent = '\u25BC';
      place(up, 0, 0, vw, vw); place(dn, 0, hh - vw, vw, vw);
      var timer = null;
      function by(d) { scroll -= d; draw(); }
      function hold(d) { stop(); by(d); timer = setInterval(function () { by(d); }, 40); }
      function stop() { clearInterval(timer); timer = null; }
      [[up, -8], [dn, 8]].forEach(function (pair) {
        pair[0].addEventListener('mousedown', function (ev) { ev.preventDefault(); hold(pair[1]); });
        if (app[58] === '1') pair[0].addEventListener('mouseenter', function () { hold(pair[1]); });
        pair[0].addEventListener('mouseleave', stop);
        pair[0].addEventListener('mouseup', stop);
      });
      var drag = null;
      thumb.addEventListener('mousedown', function (ev) { ev.preventDefault(); drag = { y: ev.clientY, s: scroll }; });
      doc.addEventListener('mousemove', function (ev) { if (drag) { scroll = drag.s - (ev.clientY - drag.y) * maxBottom / Math.max(1, hh - 2 * vw); draw(); } });
      doc.addEventListener('mouseup', function () { drag = null; });
      return { el: b, update: function (max, page) {
        var track = Math.max(0, hh - 2 * vw), th = Math.max(6, Math.round(track * page / max));
        place(thumb, 0, vw + Math.round((track - th) * -scroll / Math.max(1, max - page)), vw, Math.min(th, track));
      } };
    }

    function glide() {
      if (gliding) return;
      gliding = true;
      (function step() {
        var busy = false;
        items.forEach(function (it) {
          if (!it.kids.length || !isFinite(it.ext) && it.open) return;
          if (it.open) {
            it.ext = app[13] === '1' ? it.ext + speedOpen : Infinity;
            if (it.ext >= it.full) it.ext = Infinity; else busy = true;
          } else if (it.ext > 0) {
            it.ext = Math.min(it.ext, it.full);
            it.ext = app[14] === '1' ? it.ext - speedClose : 0;
            if (it.ext <= 0) it.ext = 0; else busy = true;
          }
        });
        draw();
        if (busy) setTimeout(step, 20); else gliding = false;
      })();
    }

    function toggle(it, open) {
      if (!it.kids.length || it.open === open) return;
      if (open && app[59] === '1') it.parent.kids.forEach(function (o) { if (o !== it && o.open) o.open = false; });
      it.open = open;
      it.ext = Math.min(it.ext, it.full || 0);
      draw();
      glide();
    }

    function setState(it, s) { it.state = s; look(it, it.st, s || (it === clicked ? 2 : 0)); }
    function shownItems() { return items.filter(function (it) { return it.el.style.visibility !== 'hidden' && !it.li.hidden && isVisibleTree(it); }); }
    function isVisibleTree(it) { for (var q = it.parent; q && q.kids && q.f; q = q.parent) if (!q.open) return false; return true; }
    function reveal(it) {
      var page = H - 2 * bw;
      if (it.top + scroll < bw) scroll = bw - it.top;
      else if (it.top + it.h + scroll > bw + page) scroll = bw + page - it.top - it.h;
      draw();
    }

    items.forEach(function (it) {
      var e = it.el;
      e.addEventListener('mouseenter', function () { setState(it, 1); });
      e.addEventListener('mouseleave', function () { setState(it, 0); });
      e.addEventListener('focus', function () { setState(it, 1); reveal(it); });
      e.addEventListener('blur', function () { setState(it, 0); });
      e.addEventListener('click', function () {
        var was = clicked; clicked = it;
        if (was && was !== it) setState(was, 0);
        setState(it, 1);
        if (it.kids.length) {
          toggle(it, !it.open);
          if (it.f[1]) { var a = el('a'); a.href = it.f[1]; if (it.f[2]) a.target = it.f[2]; a.click(); }
        }
      });
      e.addEventListener('keydown', function (ev) {
        var list = shownItems(), at = list.indexOf(it), to = null;
        if (ev.key === 'ArrowDown') to = list[at + 1];
        else if (ev.key === 'ArrowUp') to = list[at - 1];
        else if (ev.key === 'Home') to = list[0];
        else if (ev.key === 'End') to = list[list.length - 1];
        else if (ev.key === 'ArrowRight' && it.kids.length) { if (!it.open) toggle(it, true); else to = it.kids[0]; }
        else if (ev.key === 'ArrowLeft') { if (it.open) toggle(it, false); else if (it.parent.f) to = it.parent; }
        else if (ev.key === 'Escape' && it.parent.f) { toggle(it.parent, false); to = it.parent; }
        else return;
        ev.preventDefault();
        if (to) setTimeout(function () { to.el.focus(); }, 0);
      });
    });
    box.addEventListener('wheel', function (ev) { if (bar && !bar.el.hidden) { ev.preventDefault(); scroll -= ev.deltaY > 0 ? 20 : -20; draw(); } }, { passive: false });

    // The loading screen while the pictures arrive.
    var names = [app[0]];
    styles.forEach(function (st) { names.push(st[8], st[28], st[48]); });
    names = names.filter(function (n, i) { return PIC.test(n || '') && names.indexOf(n) === i; });
    if (names.length) {
      var cover = el('div', 'v20-loading', box), left = names.length;
      place(cover, 0, 0, W, H);
      cover.style.background = css(rgb(app[17]));
      [[37, 28], [47, 38]].forEach(function (m) {
        if (app[m[0]] !== '1') return;
        var t = el('div', '', cover), o = m[1];
        place(t, num(app[o]), num(app[o + 1]), num(app[o + 2]), 800);
        t.textContent = app[o + 8] || '';
        t.style.color = css(rgb(app[o + 7]));
        t.style.font = (num(app[o + 6]) & 2 ? 'italic ' : '') + (num(app[o + 6]) & 1 ? 'bold ' : '') +
          Math.max(1, num(app[o + 5], 14) - 6) * 4 / 3 + 'px ' + (FACES[num(app[o + 4], 1)] || 'sans-serif');
      });
      if (app[27] === '1') {
        var lb = el('div', '', cover), lx = num(app[18]), ly = num(app[19]), lw = num(app[20]);
        place(lb, lx, ly, lw, num(app[21]));
        lb.style.background = 'linear-gradient(to right,' + css(rgb(app[26])) + ' 33%,' + css(rgb(app[25])) + ' 33%)';
        border(lb, num(app[22]), num(app[23]), app[24]);
      }
      var done = function () { if (--left <= 0 && cover.parentNode) box.removeChild(cover); };
      names.forEach(function (n) { var im = new Image(); im.onload = im.onerror = done; im.src = n; });
      setTimeout(function () { left = 0; done(); }, 8000);
    }

    applet.parentNode.replaceChild(box, applet);
    draw();
  }

  function paramsOf(applet) {
    var p = {};
    Array.prototype.forEach.call(applet.getElementsByTagName('param'), function (e) { p[e.getAttribute('name')] = e.getAttribute('value'); });
    return p;
  }

  // The parameters file: key lines and value lines by turns.
  function parseFile(text) {
    var lines = text.split(/\r\n|\r|\n/), p = {};
    for (var i = 0; i + 1 < lines.length; i += 2) p[lines[i]] = lines[i + 1];
    return p;
  }

  function say(applet, text) {
    var box = el('div', 'vantrel20 v20-note');
    box.style.width = px(num(applet.getAttribute('width'))); box.style.height = px(num(applet.getAttribute('height')));
    box.textContent = text;
    applet.parentNode.replaceChild(box, applet);
  }

  function start() {
    if (!doc.getElementById('vantrel20-style')) {
      var s = el('style', '', doc.head || doc.documentElement); s.id = 'vantrel20-style';
      s.textContent = '.vantrel20{position:relative;display:inline-block;overflow:hidden;vertical-align:top;box-sizing:border-box}' +
        '.vantrel20 *{box-sizing:border-box}.vantrel20 ul{list-style:none;margin:0;padding:0}' +
        '.v20-view,.v20-frame,.v20-item,.v20-text,.v20-bar,.v20-bar span,.v20-loading,.v20-loading div{position:absolute}' +
        '.v20-frame{pointer-events:none}.v20-view{overflow:hidden}' +
        '.v20-item{display:block;margin:0;padding:0;border:0;font:inherit;text-decoration:none;overflow:hidden;cursor:default}' +
        '.v20-text{display:flex;flex-direction:column;white-space:pre;line-height:normal}' +
        '.v20-item:focus-visible{outline:2px solid;outline-offset:-2px}' +
        '.v20-btn{display:flex;align-items:center;justify-content:center;font:9px sans-serif;cursor:default}' +
        '.v20-notes{display:none}.v20-note{padding:4px;font:12px sans-serif;background:#fff;color:#000;border:1px solid #888}' +
        '@media (forced-colors:active){.v20-item{border:1px solid CanvasText;forced-color-adjust:auto}.v20-frame{box-shadow:none!important}' +
        '.v20-bar span{border:1px solid ButtonText}}';
    }
    Array.prototype.forEach.call(doc.querySelectorAll('applet[code="vantrel20.class"]'), function (applet) {
      var p = paramsOf(applet);
      if (p.paramsrc == null) return build(applet, p);
      var name = p.paramsrc, failed = function () {
        say(applet, 'This menu reads its settings from "' + name + '", which the browser loads only when the page comes from a web server.');
      };
      if (location.protocol === 'file:') return failed();
      fetch(name).then(function (r) { if (!r.ok) throw new Error(); return r.text(); })
        .then(function (t) { build(applet, parseFile(t)); }, failed);
    });
  }
  start();
})();
