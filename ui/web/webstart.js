// SPDX-License-Identifier: MIT
// The WebAssembly travels inside the page, compiled by the script in its head
// (wasm.js) as pemdraWasm; it is never fetched, so the page needs no connection at
// all. It is instantiated at once, so the page's buttons work as soon as its script
// has run.
Module['instantiateWasm'] = function (imports, receive) {
  receive(new WebAssembly.Instance(pemdraWasm, imports), pemdraWasm);
  return {};
};
