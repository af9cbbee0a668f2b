// SPDX-License-Identifier: MIT
// The page's side of the window's texts, linked into the module: the core reads and
// writes the page's own fields by their control names. The page hands its fields to
// the module as Module.fields (name -> input element) and the π field's list as
// Module.lists (name -> select element).
mergeInto(LibraryManager.library, {
  $pemdraField: function (name) {
    return Module.fields[UTF8ToString(name)];
  },
  $pemdraString: function (text, length) {
    // In slices: a million code units do not fit in one call's arguments.
    var units = HEAPU16.subarray(text >> 1, (text >> 1) + length);
    var parts = [];
    for (var i = 0; i < length; i += 8192) {
      parts.push(String.fromCharCode.apply(null, units.subarray(i, i + 8192)));
    }
    return parts.join('');
  },
  pemdra_page_read__deps: ['$pemdraField'],
  pemdra_page_read: function (name) {
    var field = pemdraField(name);
    if (!field) return -1;
    var text = field.value;
    var buffer = _pemdra_text_buffer(text.length) >> 1;
    for (var i = 0; i < text.length; ++i) HEAPU16[buffer + i] = text.charCodeAt(i);
    return text.length;
  },
  pemdra_page_write__deps: ['$pemdraField', '$pemdraString'],
  pemdra_page_write: function (name, text, length) {
    var field = pemdraField(name);
    if (!field) return 0;
    field.value = pemdraString(text, length);
    return 1;
  },
  pemdra_page_append__deps: ['$pemdraString'],
  pemdra_page_append: function (name, text, length) {
    var list = Module.lists[UTF8ToString(name)];
    if (!list) return 0;
    var option = document.createElement('option');
    option.textContent = pemdraString(text, length);
    list.add(option);
    return 1;
  },
});
