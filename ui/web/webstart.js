// SPDX-License-Identifier: MIT
// The WebAssembly travels inside this file, base64-encoded: it is compiled from
// there, never fetched, so the page needs no connection, not even to a data: URL.
Module['instantiateWasm'] = function (imports, receive) {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports).then(function (result) {
    receive(result['instance'], result['module']);
  }, abort);
  return {};
};
