// SPDX-License-Identifier: MIT
// The page's behaviour: it hands its fields to the core's module, sends each button's
// click to the core's handler of that name, and carries the results to screen readers.
// Every rule, text and number comes from the core or from the window's table.
(function () {
  'use strict';
  var form = document.getElementById('pemdra');
  var fields = {};
  var lists = {};
  Array.prototype.forEach.call(form.querySelectorAll('input, textarea'), function (input) {
    fields[input.id] = input;
  });
  // The result boxes are text areas that wrap a long line in the touch layout; each
  // holds one line, as the input does: Enter breaks none.
  Array.prototype.forEach.call(form.querySelectorAll('textarea'), function (box) {
    box.addEventListener('keydown', function (event) {
      if (event.key === 'Enter') event.preventDefault();
    });
  });
  Array.prototype.forEach.call(form.querySelectorAll('select'), function (select) {
    lists[select.id.replace(/-list$/, '')] = select;
  });
  var results = document.getElementById('results');

  // Captions whole in whatever face the browser found: one that is still too wide
  // for its rectangle is narrowed to fit, never cut. Measured before the first frame is
  // painted, once the fonts are in: not while the page starts, where measuring would
  // force a layout of its own before the buttons work.
  function fitCaptions() {
    Array.prototype.forEach.call(form.querySelectorAll('#pemdra > * > span'), function (span) {
      span.style.transform = '';
      var room = span.parentElement.clientWidth;
      var width = span.getBoundingClientRect().width;
      if (width > room && width > 0) {
        var centred = span.parentElement.tagName === 'BUTTON';
        span.style.transformOrigin = centred ? 'center' : 'left';
        span.style.transform = 'scaleX(' + (room / width) + ')';
      }
    });
  }
  requestAnimationFrame(function () {
    if (document.fonts) {
      document.fonts.ready.then(fitCaptions);
    } else {
      fitCaptions();
    }
  });
  // Text does not always scale in step with the form: a narrower viewport measures anew.
  window.addEventListener('resize', fitCaptions);

  // In the touch layout (a grid) a result box grows to hold its wrapped line, where the
  // browser does not size a field to its content itself.
  var boxes = form.querySelectorAll('textarea');
  var sized = window.CSS && CSS.supports && CSS.supports('field-sizing', 'content');
  function fitBoxes() {
    if (sized || getComputedStyle(form).display !== 'grid') return;
    Array.prototype.forEach.call(boxes, function (box) {
      box.style.removeProperty('--fit');
      var border = box.offsetHeight - box.clientHeight;
      box.style.setProperty('--fit', box.scrollHeight + border + 'px');
    });
  }
  window.addEventListener('resize', fitBoxes);
  Array.prototype.forEach.call(boxes, function (box) {
    box.addEventListener('input', fitBoxes);
  });
  // After a click that wrote the results, the four are in view, as far as the screen
  // holds them: on a phone, or at a large text size, they may lie below the keys.
  function showResults() {
    fitBoxes();
    var rects = Array.prototype.map.call(boxes, function (box) {
      return box.getBoundingClientRect();
    });
    if (!rects.length) return;
    var top = Math.min.apply(null, rects.map(function (rect) { return rect.top; }));
    var bottom = Math.max.apply(null, rects.map(function (rect) { return rect.bottom; }));
    // The last line's end in view, unless that would push the first one out.
    var by = bottom > window.innerHeight ? Math.min(bottom - window.innerHeight, top)
                                         : Math.min(top, 0);
    if (by) window.scrollBy(0, by);
  }

  // The π list: a pick puts the value into the field, which keeps exactly what is in
  // it. The list rests on its blank first entry, so that every value is a change when
  // picked. F4 or Alt+Down in the field opens the list; Down and Up put the next or
  // the previous value into the field, as in the desktops' combo boxes.
  var coarse = window.matchMedia('(pointer: coarse)');
  Object.keys(lists).forEach(function (name) {
    var list = lists[name];
    var field = fields[name];
    list.selectedIndex = 0;
    list.addEventListener('change', function () {
      if (list.selectedIndex > 0) field.value = list.options[list.selectedIndex].text;
      list.selectedIndex = 0;
      // By finger the focus stays on the list's key: in the field it would raise the
      // on-screen keyboard, which a pick does not need. A tap in the field still types.
      if (!coarse.matches) field.focus();
    });
    field.addEventListener('keydown', function (event) {
      if (event.key === 'F4' || (event.altKey && event.key === 'ArrowDown')) {
        event.preventDefault();
        try {
          list.showPicker();
        } catch (error) {
          list.focus();
        }
      } else if ((event.key === 'ArrowDown' || event.key === 'ArrowUp') && !event.altKey) {
        var values = Array.prototype.slice.call(list.options, 1).map(function (option) {
          return option.text;
        });
        if (!values.length) return;
        event.preventDefault();
        var at = values.indexOf(field.value);
        var step = event.key === 'ArrowDown' ? 1 : -1;
        field.value = values[at < 0 ? 0 : Math.min(Math.max(at + step, 0), values.length - 1)];
      }
    });
  });

  // What a click wrote into the result boxes, as the core tells it, one line a box.
  function announce(text) {
    var lines = text.split('\n').map(function (text) {
      var line = document.createElement('p');
      line.textContent = text;
      return line;
    });
    results.replaceChildren.apply(results, lines);
  }

  // An error no handler trapped, under the program's error title: a browser's alert
  // has no title of its own, so the title is its first line.
  function report(module, failure) {
    if (failure) window.alert(form.dataset.errorTitle + '\n\n' + module.UTF8ToString(failure));
  }

  // Where the core cannot start, the form says why and what to do, and its buttons
  // say that they do nothing; a click on one says it again.
  var FAILURE = 'Ο μετατροπέας δεν μπορεί να ξεκινήσει: εδώ δεν επιτρέπεται να τρέξει ' +
      'WebAssembly (ο φυλλομετρητής δεν το υποστηρίζει ή ο διακομιστής της σελίδας το ' +
      'απαγορεύει), οπότε τα κουμπιά δεν κάνουν τίποτα. Άνοιξε τη σελίδα σε άλλον ' +
      'φυλλομετρητή, ή αποθήκευσέ τη (pemdra.html) και άνοιξέ τη από τον δίσκο σου (file://).';
  function fail() {
    if ('failed' in form.dataset) return;
    form.dataset.failed = '';
    var line = document.createElement('p');
    line.id = 'failure';
    line.setAttribute('role', 'alert');
    line.textContent = FAILURE;
    form.parentNode.insertBefore(line, form);
    Array.prototype.forEach.call(form.querySelectorAll('button'), function (button) {
      button.setAttribute('aria-disabled', 'true');
      button.setAttribute('aria-describedby', 'failure');
      button.addEventListener('click', function () { announce(FAILURE); });
    });
  }

  function start(pemdra) {
    report(pemdra, pemdra.ccall('pemdra_load', 'number', [], []));
    Array.prototype.forEach.call(form.querySelectorAll('button'), function (button) {
      button.addEventListener('click', function () {
        var failure = pemdra.ccall('pemdra_click', 'number', ['string'], [button.id]);
        // A click that wrote the results is announced, after the fact, focus unmoved.
        var told = pemdra.UTF16ToString(pemdra.ccall('pemdra_announcement', 'number', [], []));
        if (told) {
          announce(told);
          showResults();
        }
        report(pemdra, failure);
      });
    });
    form.dataset.ready = '';
    performance.mark('pemdra-ready');
  }

  if (window.pemdraWasm) {
    try {
      createPemdra({fields: fields, lists: lists, failed: fail}).then(start).then(null, fail);
    } catch (error) {
      fail();
    }
  } else {
    fail();
  }

  // Installed as a web app, the page and its files come from the service worker's
  // cache, so it opens offline too. The worker itself is always asked of the host, so
  // that a new release is found on the next visit whatever the host's cache headers.
  // When a new release has taken over while this page is open, one line says so, and
  // what is in the fields is kept for the reload that shows it.
  var KEPT = 'pemdra-fields';
  var UPDATE = 'Νέα έκδοση έτοιμη: ανανεώστε τη σελίδα.';
  // Only a page its worker serves can be the reload after an update (the storage's first
  // use costs a millisecond or more of start-up, which the single file does not pay).
  function restoreFields() {
    try {
      var kept = JSON.parse(sessionStorage.getItem(KEPT) || 'null');
      sessionStorage.removeItem(KEPT);
      if (kept) {
        Object.keys(fields).forEach(function (name) {
          if (typeof kept[name] === 'string') fields[name].value = kept[name];
        });
      }
    } catch (error) {
      // No storage here (a private window, a policy): nothing was kept.
    }
  }
  function keepFields() {
    var values = {};
    Object.keys(fields).forEach(function (name) { values[name] = fields[name].value; });
    try {
      sessionStorage.setItem(KEPT, JSON.stringify(values));
    } catch (error) {
      // Too much to keep (a huge paste) or no storage: the reload starts empty.
    }
  }
  if (document.querySelector('link[rel="manifest"]') && 'serviceWorker' in navigator &&
      location.protocol !== 'file:') {
    var controlled = !!navigator.serviceWorker.controller;
    if (controlled) restoreFields();
    navigator.serviceWorker.addEventListener('controllerchange', function () {
      if (!controlled || document.getElementById('update')) return;
      var line = document.createElement('p');
      line.id = 'update';
      line.setAttribute('role', 'status');
      line.textContent = UPDATE;
      form.parentNode.insertBefore(line, form);
      window.addEventListener('pagehide', keepFields);
    });
    navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'}).then(null, function () {
      // No worker (storage refused): the page works, only not offline.
    });
  }
})();
