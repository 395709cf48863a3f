/* Kestravo 1.0 jump-menu runtime. Adds one global: onSelectedItemChanged.
 * A choice made with the mouse or by touch opens at once; arrow keys only move the selection,
 * Enter opens it, so keyboard users can read the list without leaving the page. */
var onSelectedItemChanged = (function (win, doc) {
  'use strict';
  var stepping = null;

  function go(sel) {
    var o = sel && sel.options[sel.selectedIndex], url = o ? o.value : '0';
    if (!url || url === '0') return;
    var t = (o.getAttribute('target') || '').trim();
    // A frame name that matches no frame opens a new window, as a link's target would.
    win.open(url, t || '_self');
  }
  function isMenu(e) { return e && e.tagName === 'SELECT'; }

  doc.addEventListener('keydown', function (e) {
    if (!isMenu(e.target)) return;
    if (e.key === 'Enter') { e.preventDefault(); go(e.target); } else stepping = e.target;
  }, true);
  doc.addEventListener('keyup', function () { stepping = null; }, true);
  doc.addEventListener('pointerdown', function () { stepping = null; }, true);

  function name() {
    [].forEach.call(doc.getElementsByName('brevanekstrvselect'), function (s) {
      if (!s.getAttribute('aria-label') && !s.labels.length && !s.title) {
        s.setAttribute('aria-label', ((s.options[0] && s.options[0].text) || '').trim() || 'Menu');
      }
    });
  }
  if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', name); else name();
  // After Back the page may come from the cache with the old choice showing; offer the tip again.
  win.addEventListener('pageshow', function () {
    [].forEach.call(doc.getElementsByName('brevanekstrvselect'), function (s) { s.selectedIndex = 0; });
  });

  return function (sel) {
    if (stepping === sel) return;
    go(sel);
  };
})(window, document);
