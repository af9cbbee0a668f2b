// SPDX-License-Identifier: MIT
// The WebAssembly travels inside the page, compiled by the script in its head
// (wasm.js) as pemdraWasm; it is never fetched, so the page needs no connection at
// all. It is instantiated at once, so the page's buttons work as soon as its script
// has run; where it cannot be, the page is told (Module.failed), not left waiting.
Module['instantiateWasm'] = function (imports, receive) {
  try {
    receive(new WebAssembly.Instance(pemdraWasm, imports), pemdraWasm);
  } catch (error) {
    Module['failed']();
  }
  return {};
};
