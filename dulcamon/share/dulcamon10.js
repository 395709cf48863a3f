/* Dulcamon 1.0 pop-out menu runtime: one classic script, so pages work from disk and from a server.
 * Globals: qelvorpin and TJSMenuType2; the page declares qelVORPin and the menu. A page holding two
 * pasted menus loads this twice: the second load keeps the first, so ids stay unique page-wide. */
(function (win, doc) {
  'use strict';
  if (win.TJSMenuType2 && win.TJSMenuType2.dlcm) return;
  var P = 'dlcm', INTENT = 180, seq = 0, nodes = new WeakMap(), looks = Object.create(null), sheet = null;
  var calm = win.matchMedia('(prefers-reduced-motion: reduce)'), NARROW = '(max-width:30em)', narrow = win.matchMedia(NARROW);
  var CIRCLE = /^(iris|radialwipe|wheel|spiral)$/, WIPE = /^(barn|blinds|checkerboard|gradientwipe|inset|randombars|revealtrans|slide|stretch|strips|zigzag)$/;

  var CSS = '.~{z-index:1000;line-height:normal;text-align:start}' +
    '.~ ul{list-style:none;margin:0;padding:0}.~-row{display:flex;align-items:flex-start}' +
    '.~ li{position:relative;box-sizing:border-box;display:flex;flex:none;float:none;margin:0;padding:0;border:var(--~-bw) solid var(--~-bc);' +
    'background:var(--~-b) var(--~-i) 0 0;color:var(--~-c)}' +
    '.~ li.~-hot,.~ li.~-open,.~ li:focus-within{background-color:var(--~-bo);background-image:var(--~-io);color:var(--~-co)}' +
    '.~ .~-x,.~ .~-tg{display:flex;align-items:center;box-sizing:border-box;margin:0;border:0;background:none;color:inherit;' +
    'font:inherit;text-decoration:none;white-space:nowrap;overflow:hidden}' +
    '.~ .~-x{flex:1 1 auto;min-width:0;padding:var(--~-pad)}.~ .~-tg{flex:none;padding:0 .3em}' +
    '.~-ar{margin-inline-start:auto;padding-inline-start:.3em}.~-sub{position:absolute;z-index:1}' +
    '.~ [hidden]{display:none!important}.~ :focus-visible{outline:2px solid;outline-offset:-3px}' +
    // The tooltip sits beside its item (below it in a bar), never over the next one, and can be hovered.
    '.~-tip{position:absolute;z-index:2;inset-inline-start:100%;top:0;pointer-events:none;width:1px;height:1px;overflow:hidden;clip-path:inset(50%);white-space:nowrap}' +
    '.~-row>li>.~-tip{inset-inline-start:0;top:100%}.~-open>.~-tip{display:none}' +
    '.~-tip.~-show{pointer-events:auto;width:max-content;max-width:20em;height:auto;overflow:visible;clip-path:none;white-space:normal;' +
    'padding:2px 5px;border:1px solid #555;background:#ffffe1;color:#000;font-size:.9em}' +
    // Too narrow for lists beside their parents: they open below them, inside the menu, which
    // scrolls sideways rather than widening the page; every control is at least 24 px square.
    '@media ' + NARROW + '{.~{max-width:calc(100vw - var(--~-x));overflow-x:auto}.~-top:not(.~-row){width:max-content}' +
    '.~ li{flex-wrap:wrap;height:auto!important}.~ .~-sub li,.~-top:not(.~-row) li{width:auto!important}' +
    '.~ .~-sub{position:static!important;box-sizing:border-box;flex:1 0 100%;padding-inline-start:8px;max-height:none!important}' +
    '.~ .~-x,.~ .~-tg{min-height:24px}.~ .~-tg{min-width:24px;justify-content:center}.~-tip.~-show{position:static;flex:1 0 100%}}' +
    '@media (forced-colors:active){.~ li{border-color:CanvasText}.~ li.~-hot,.~ li.~-open{outline:2px dashed;outline-offset:-2px}' +
    '.~ :focus-visible{outline:3px solid}.~-tip.~-show{border-color:CanvasText}}';

  function on(v) { return v === 1 || v === '1'; }
  function num(v, d) { v = parseFloat(v); return isFinite(v) ? v : d; }
  function str(v) { return v == null ? '' : String(v); }
  function el(tag, cls) { var e = doc.createElement(tag); if (cls) e.className = cls; return e; }
  function all(sel) { return [].slice.call(doc.querySelectorAll(sel)); }
  // Quotes, backslashes and line breaks cannot stand raw in a CSS string.
  function cssUrl(s) {
    return s ? 'url("' + s.replace(/[\\"\n\r\f]/g, function (c) { return '\\' + c.charCodeAt(0).toString(16) + ' '; }) + '")' : 'none';
  }
  function viewport() {
    var d = doc.compatMode === 'BackCompat' && doc.body ? doc.body : doc.documentElement;
    return { w: d.clientWidth || win.innerWidth, h: d.clientHeight || win.innerHeight };
  }
  function uid() { var i; do i = P + (++seq); while (doc.getElementById(i)); return i; }
  function injectStyle() {
    if (sheet) return;
    var s = el('style'); s.setAttribute('data-' + P, '');
    s.textContent = CSS.replace(/~/g, P);
    (doc.head || doc.documentElement).appendChild(s);
    sheet = s.sheet;
  }
  // One rule per set of colours and images, shared by every item that uses it. Values go through
  // the style object, so no author text is ever parsed as a rule.
  function look(it) {
    var v = [it.bg, it.bgO, it.fg, it.fgO, cssUrl(it.img), cssUrl(it.imgO || it.img)], key = v.join('\n'), k = looks[key];
    if (!k) {
      k = looks[key] = P + '-k' + (++seq);
      var st = sheet.cssRules[sheet.insertRule('.' + k + '{}', sheet.cssRules.length)].style;
      ['b', 'bo', 'c', 'co', 'i', 'io'].forEach(function (n, i) { st.setProperty('--' + P + '-' + n, v[i]); });
    }
    return k;
  }
  // The old transition filters were lenient; so are we: unknown or broken text means a plain fade.
  function parseFilter(t) {
    t = str(t).trim();
    if (!t) return null;
    var m = /^(?:progid\s*:\s*)?(?:DXImageTransform\.Microsoft\.)?([a-z]+)\s*(\(.*\))?;?$/i.exec(t),
      name = m ? m[1].toLowerCase() : '', d = /duration\s*=\s*['"]?([\d.]+)/i.exec(t);
    d = d ? parseFloat(d[1]) * 1000 : NaN;
    return { d: isFinite(d) ? Math.min(d, 5000) : 300, clip: CIRCLE.test(name) ? 'c' : WIPE.test(name) ? 'e' : '' };
  }

  function qelvorpin() {} // the page makes one before any menu; nothing needs it now

  function TJSMenuType2(name, frame, scroll, orient, x, y, gap, reserved, click, delay, pad, family, size, bold, italic,
    bw, bc, sx, sy, glide, step, speed, filter) {
    this.cfg = {
      name: str(name).trim(), fixed: on(scroll), row: on(orient), x: num(x, 0), y: num(y, 0), gap: num(gap, 0),
      click: on(click), delay: Math.max(0, num(delay, 1000)), pad: Math.max(0, num(pad, 0)), family: str(family),
      size: num(size, 12), bold: on(bold), italic: on(italic), bw: Math.max(0, num(bw, 0)), bc: str(bc),
      sx: num(sx, 0), sy: num(sy, 0), glide: on(glide), step: num(step, 5), speed: num(speed, 1), fx: parseFilter(filter)
    };
    this.items = [];
  }
  TJSMenuType2.dlcm = 1;
  TJSMenuType2.prototype.qeLvorpiN = function (id, parent, caption, url, target, w, h, img, imgOver, bg, bgOver, fg, fgOver, desc) {
    this.items.push({
      id: str(id), pid: str(parent), cap: str(caption), url: str(url).trim(), target: str(target).trim(),
      w: Math.max(0, num(w, 80)), h: Math.max(0, num(h, 20)), img: str(img).trim(), imgO: str(imgOver).trim(),
      bg: str(bg), bgO: str(bgOver), fg: str(fg), fgO: str(fgOver), desc: str(desc).trim()
    });
  };
  TJSMenuType2.prototype.qeLvORpin = function () {
    var m = this, at = doc.currentScript;
    if (m.built) return;
    m.built = true;
    if (doc.body) build(m, at); else doc.addEventListener('DOMContentLoaded', function () { build(m, null); });
  };

  // Each menu is named after its menu name, made unique among the page's menus.
  function label(name) {
    var used = all('nav[aria-label]').map(function (n) { return n.getAttribute('aria-label'); }), l = name || 'Menu', k = 1;
    while (used.indexOf(l) >= 0) l = (name || 'Menu') + ' ' + (++k);
    return l;
  }

  function build(m, at) {
    var c = m.cfg, id = uid(), k = 0, openAt = [], hot = null, tip = null, pending = null, pendT = 0,
      lastPtr = 'mouse', pressing = false, vp = viewport(), rtl;
    injectStyle();
    var nav = el('nav', P), s = nav.style;
    nav.id = id;
    nav.setAttribute('aria-label', label(c.name));
    s.position = c.fixed ? 'fixed' : 'absolute';
    s.left = c.x + 'px'; s.top = c.y + 'px';
    s.fontFamily = c.family; s.fontSize = c.size + 'px';
    s.fontWeight = c.bold ? 'bold' : 'normal'; s.fontStyle = c.italic ? 'italic' : 'normal';
    [['bw', c.bw + 'px'], ['bc', c.bc], ['pad', c.pad + 'px'], ['x', Math.max(0, c.x) + 'px']].forEach(function (p) { s.setProperty('--' + P + '-' + p[0], p[1]); });
    // Drawn where the page calls us, as layer-writing menus were. Sub-menus stay in this document
    // even when a sub-menu frame is named: other frames are out of reach from file://.
    if (at && at.parentNode && doc.body.contains(at)) at.parentNode.insertBefore(nav, at.nextSibling);
    else doc.body.appendChild(nav);
    rtl = win.getComputedStyle(nav).direction === 'rtl';

    var root = { kids: [], lv: -1 }, byId = Object.create(null);
    m.items.forEach(function (it) {
      var p = (it.pid && byId[it.pid]) || root, n = { it: it, parent: p === root ? null : p, kids: [], lv: p.lv + 1 };
      p.kids.push(n);
      if (it.id && !byId[it.id]) byId[it.id] = n;
    });
    nav.appendChild(list(root.kids, null));
    m.nav = nav;

    // A sub-menu's list exists from the start, empty; its items are made when it first opens.
    function list(kids, pn) {
      var ul = el('ul', pn ? P + '-sub' : P + '-top' + (c.row ? ' ' + P + '-row' : ''));
      if (pn) { ul.id = id + '-s' + (++k); ul.hidden = true; } else fill(ul, kids);
      return ul;
    }
    function fill(ul, kids) { kids.forEach(function (n, i) { ul.appendChild(item(n, i)); }); }
    function isHere(a) { return a.href === win.location.href; }
    function item(n, i) {
      var it = n.it, li = el('li', look(it)), st = li.style, x;
      st.width = it.w + 'px'; st.height = it.h + 'px';
      if (i && !n.lv) st[c.row ? 'marginInlineStart' : 'marginTop'] = c.gap + 'px';
      if (it.url) {
        x = el('a', P + '-x');
        x.setAttribute('href', it.url);
        if (it.target) x.target = it.target;
        if (isHere(x)) x.setAttribute('aria-current', 'page');
      } else x = el(n.kids.length ? 'button' : 'span', P + '-x');
      x.textContent = it.cap;
      li.appendChild(x);
      n.li = li; n.x = x; nodes.set(li, n);
      if (n.kids.length) {
        var tg = n.tg = x.tagName === 'BUTTON' ? x : li.appendChild(el('button', P + '-tg'));
        tg.type = 'button';
        if (tg !== x) tg.setAttribute('aria-label', it.cap + ' submenu');
        n.ar = tg.appendChild(el('span', P + '-ar'));
        n.ar.setAttribute('aria-hidden', 'true');
        n.sub = list(n.kids, n);
        tg.setAttribute('aria-controls', n.sub.id);
        mark(n, false);
      }
      if (it.desc) {
        // One element serves as the accessible description and as the visible tooltip.
        var t = n.tip = li.appendChild(el('span', P + '-tip'));
        t.id = id + '-d' + (++k); t.setAttribute('aria-hidden', 'true'); t.textContent = it.desc;
        x.setAttribute('aria-describedby', t.id);
      }
      if (n.sub) li.appendChild(n.sub);
      return li;
    }
    function mark(n, open) {
      var down = c.row && !n.lv;
      n.tg.setAttribute('aria-expanded', open ? 'true' : 'false');
      n.li.classList.toggle(P + '-open', open);
      n.ar.textContent = down ? (open ? '\u25B4' : '\u25BE') : open ? '\u25BE' : rtl ? '\u25C2' : '\u25B8';
    }
    function find(e) {
      var li = e && e.closest && e.closest('li');
      return li && nav.contains(li) ? nodes.get(li) : null;
    }
    function focusables(ul) {
      var r = [];
      [].forEach.call(ul.children, function (li) {
        var n = nodes.get(li);
        if (n.x.tagName !== 'SPAN') r.push(n.x);
        if (n.tg && n.tg !== n.x) r.push(n.tg);
      });
      return r;
    }
    function swap(old, e, cls) {
      if (old && old !== e) old.classList.remove(P + cls);
      if (e) e.classList.add(P + cls);
      return e;
    }
    function setHot(n) { hot = swap(hot, n && n.li, '-hot'); }
    function showTip(n) { tip = swap(tip, n && n.tip, '-show'); }

    function open(n, how) {
      clearTimeout(n.ct);
      if (n.open) return;
      var o = openAt[n.lv];
      if (o && o !== n) close(o);
      if (!n.filled) { n.filled = true; fill(n.sub, n.kids); }
      n.open = true; n.how = how; openAt[n.lv] = n;
      n.sub.hidden = false;
      mark(n, true);
      if (!narrow.matches) place(n);
      animate(n);
    }
    function close(n) {
      clearTimeout(n.ct);
      if (!n.open) return;
      n.kids.forEach(close);
      n.open = false;
      if (openAt[n.lv] === n) openAt[n.lv] = null;
      // Keep keyboard focus out of a list about to disappear.
      if (n.sub.contains(doc.activeElement)) n.tg.focus();
      n.sub.getAnimations().forEach(function (a) { a.cancel(); });
      n.sub.hidden = true;
      n.sub.style.cssText = '';
      n.capped = n.fixed = false;
      mark(n, false);
    }
    function closeAll(only) { openAt.slice().forEach(function (o) { if (o && (!only || only(o))) close(o); }); }
    function later(n) { clearTimeout(n.ct); n.ct = setTimeout(function () { close(n); }, c.delay); }

    // Offsets count from the parent's top-left corner. A list that would leave the viewport opens to
    // the other side or shifts up, and scrolls when taller than the viewport.
    function place(n) {
      var ul = n.sub, st = ul.style, r = n.li.getBoundingClientRect(), v = viewport(), fixed = false, a;
      for (a = n.parent; a; a = a.parent) if (a.capped) fixed = true;
      n.fixed = fixed; n.at = r.top;
      st.position = fixed ? 'fixed' : '';
      var w = ul.offsetWidth, h = ul.offsetHeight,
        x = rtl ? r.right - c.sx - w : r.left + c.sx, alt = rtl ? r.left + c.sx : r.right - c.sx - w;
      if ((x < 0 || x + w > v.w) && alt >= 0 && alt + w <= v.w) x = alt;
      x = Math.max(0, Math.min(x, v.w - w));
      n.capped = h > v.h;
      if (n.capped) { st.maxHeight = v.h + 'px'; st.overflowY = 'auto'; h = v.h; }
      var y = Math.max(0, Math.min(r.top + c.sy, v.h - h));
      n.side = x >= r.right - 1 ? 'l' : x + w <= r.left + 1 ? 'r' : y >= r.bottom - 1 ? 't' : rtl ? 'r' : 'l';
      st.left = (fixed ? x : x - r.left - c.bw) + 'px';
      st.top = (fixed ? y : y - r.top - c.bw) + 'px';
    }
    // Motion is decoration only: the list is already shown and focusable when it starts.
    function animate(n) {
      var ul = n.sub, fx = c.fx, a = {}, b = {}, d = 0, side = narrow.matches ? 't' : n.side;
      if (calm.matches || !(c.glide || fx)) return;
      if (c.glide) d = Math.min(300, Math.ceil((side === 't' ? ul.offsetHeight : ul.offsetWidth) / Math.max(1, c.step)) * Math.max(16, c.speed));
      if (fx) d = Math.max(d, fx.d);
      if (fx && fx.clip === 'c') { a.clipPath = 'circle(0% at 50% 50%)'; b.clipPath = 'circle(75% at 50% 50%)'; }
      else if (c.glide || fx.clip) { a.clipPath = 'inset(' + { l: '0 100% 0 0', r: '0 0 0 100%', t: '0 0 100% 0' }[side] + ')'; b.clipPath = 'inset(0)'; }
      if (fx && !fx.clip) { a.opacity = 0; b.opacity = 1; }
      if (d > 0) ul.animate([a, b], { duration: d, easing: 'ease-out' });
    }

    // Hover is for a real mouse; touch and pen tap instead.
    nav.addEventListener('pointerover', function (e) {
      if (e.pointerType !== 'mouse') return;
      var n = find(e.target), a;
      if (!n) return;
      for (a = n; a; a = a.parent) clearTimeout(a.ct);
      setHot(n); showTip(n);
      if (pending !== n) { clearTimeout(pendT); pending = null; }
      if (n.sub && !n.open && !pending && (!c.click || openAt[0])) {
        pending = n;
        pendT = setTimeout(function () { pending = null; open(n, 'hover'); }, INTENT);
      }
    });
    nav.addEventListener('pointerout', function (e) {
      if (e.pointerType !== 'mouse') return;
      var rt = e.relatedTarget, a;
      for (a = find(e.target); a; a = a.parent) {
        if (rt && a.li.contains(rt)) break;
        if (a === pending) { clearTimeout(pendT); pending = null; }
        if (a.open && (a.how === 'hover' || a.how === 'click')) later(a);
      }
      if (!rt || !nav.contains(rt)) { setHot(null); showTip(find(doc.activeElement)); }
    });
    nav.addEventListener('click', function (e) {
      var t = e.target.closest('a,button'), n = t && find(t);
      if (!n || !n.sub) return;
      var kbd = e.detail === 0, how = kbd ? 'key' : lastPtr === 'mouse' ? 'click' : 'tap';
      if (t === n.tg) {
        if (!n.open) open(n, how);
        else if (how === 'click' && n.how === 'hover') n.how = how; // a click after the hover keeps it
        else close(n);
      } else if (!n.open && !kbd && (how === 'tap' || c.click)) {
        // First tap opens the parent, the second follows its link.
        e.preventDefault();
        open(n, how);
      }
    });
    nav.addEventListener('keydown', function (e) {
      var t = e.target, n = find(t), key = e.key, to;
      if (!n || e.altKey || e.ctrlKey || e.metaKey) return;
      if (key === 'Escape') {
        // A shown tooltip goes first, so it can be dismissed without moving focus. On an open
        // parent (its link or its toggle) Escape closes its own list; elsewhere the enclosing one.
        if (tip) { showTip(null); e.preventDefault(); return; }
        var m = n.open && (t === n.tg || t === n.x) ? n : n.parent;
        if (m) { close(m); (m === n ? t : m.tg).focus(); e.preventDefault(); }
        return;
      }
      var row = c.row && !n.lv, side = rtl ? 'ArrowLeft' : 'ArrowRight', back = rtl ? 'ArrowRight' : 'ArrowLeft',
        next = row ? side : 'ArrowDown', prev = row ? back : 'ArrowUp', into = row ? 'ArrowDown' : side,
        ctl = focusables(n.li.parentNode), i = ctl.indexOf(t);
      if (key === next) to = ctl[(i + 1) % ctl.length];
      else if (key === prev) to = ctl[(i - 1 + ctl.length) % ctl.length];
      else if (key === 'Home') to = ctl[0];
      else if (key === 'End') to = ctl[ctl.length - 1];
      else if (key === into && n.sub) { open(n, 'key'); to = focusables(n.sub)[0]; }
      else if (key === back && n.parent) { to = n.parent.tg; close(n.parent); }
      if (to) { to.focus(); e.preventDefault(); }
    });
    // Content shown by hover goes on Escape wherever focus is, without moving the pointer.
    doc.addEventListener('keydown', function (e) {
      if (e.key !== 'Escape' || e.defaultPrevented || !(tip || openAt.some(Boolean))) return;
      clearTimeout(pendT); pending = null;
      showTip(null);
      closeAll();
    });
    nav.addEventListener('focusin', function (e) {
      closeAll(function (o) { return !o.li.contains(e.target); });
      if (e.target.matches(':focus-visible')) showTip(find(e.target));
    });
    nav.addEventListener('focusout', function (e) {
      var rt = e.relatedTarget;
      if ((rt && nav.contains(rt)) || (!rt && pressing)) return;
      showTip(find(hot));
      closeAll();
    });
    doc.addEventListener('pointerdown', function (e) {
      lastPtr = e.pointerType || 'mouse';
      pressing = nav.contains(e.target);
      if (!pressing) closeAll();
    }, true);
    doc.addEventListener('pointerup', function () { pressing = false; }, true);
    win.addEventListener('resize', function () {
      var v = viewport();
      if (v.w !== vp.w || v.h !== vp.h) { vp = v; closeAll(); }
    });
    // Pinned lists cannot follow a scroll: close those whose item moved.
    win.addEventListener('scroll', function () {
      closeAll(function (o) { return o.fixed && o.li.getBoundingClientRect().top != o.at; });
    }, true);
    // The current page's link follows navigation inside the page.
    function current() {
      [].forEach.call(nav.querySelectorAll('a[href]'), function (a) {
        if (isHere(a)) a.setAttribute('aria-current', 'page'); else a.removeAttribute('aria-current');
      });
    }
    win.addEventListener('hashchange', current);
    win.addEventListener('popstate', current);
  }

  win.qelvorpin = qelvorpin;
  win.TJSMenuType2 = TJSMenuType2;
})(window, document);
