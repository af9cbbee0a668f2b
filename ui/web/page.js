// SPDX-License-Identifier: MIT
// The page's behaviour: it hands its fields to the core's module, sends each button's
// click to the core's handler of that name, and carries the results to screen readers.
// Every rule, text and number comes from the core or from the window's table.
(function () {
  'use strict';
  var form = document.getElementById('pemdra');
  var fields = {};
  var lists = {};
  Array.prototype.forEach.call(form.querySelectorAll('input'), function (input) {
    fields[input.id] = input;
  });
  Array.prototype.forEach.call(form.querySelectorAll('select'), function (select) {
    lists[select.id.replace(/-list$/, '')] = select;
  });
  var results = document.getElementById('results');

  // Captions whole in whatever face the browser found: one that is still too wide
  // for its rectangle is narrowed to fit, never cut. Measured once the fonts are in,
  // which is after the first layout: measuring earlier would force one.
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
  if (document.fonts) {
    document.fonts.ready.then(fitCaptions);
  } else {
    window.addEventListener('load', fitCaptions);
  }
  // Text does not always scale in step with the form: a narrower viewport measures anew.
  window.addEventListener('resize', fitCaptions);

  // The π list: a pick puts the value into the field, which keeps exactly what is in
  // it; F4 or Alt+Down in the field opens the list.
  Object.keys(lists).forEach(function (name) {
    var list = lists[name];
    var field = fields[name];
    list.selectedIndex = -1;
    list.addEventListener('change', function () {
      if (list.selectedIndex >= 0) field.value = list.options[list.selectedIndex].text;
      list.selectedIndex = -1;
      field.focus();
    });
    field.addEventListener('keydown', function (event) {
      if (event.key === 'F4' || (event.altKey && event.key === 'ArrowDown')) {
        event.preventDefault();
        try {
          list.showPicker();
        } catch (error) {
          list.focus();
        }
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

  function report(module, failure) {
    if (failure) window.alert(module.UTF8ToString(failure));
  }

  var module = {fields: fields, lists: lists};
  createPemdra(module).then(function (pemdra) {
    report(pemdra, pemdra.ccall('pemdra_load', 'number', [], []));
    Array.prototype.forEach.call(form.querySelectorAll('button'), function (button) {
      button.addEventListener('click', function () {
        var failure = pemdra.ccall('pemdra_click', 'number', ['string'], [button.id]);
        // A click that wrote the results is announced, after the fact, focus unmoved.
        var told = pemdra.UTF16ToString(pemdra.ccall('pemdra_announcement', 'number', [], []));
        if (told) announce(told);
        report(pemdra, failure);
      });
    });
    form.dataset.ready = '';
    performance.mark('pemdra-ready');
  });

  // Installed as a web app, the page and its files come from the service worker's
  // cache, so it opens offline too.
  if (document.querySelector('link[rel="manifest"]') && 'serviceWorker' in navigator &&
      location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js');
  }
})();
