// SPDX-License-Identifier: MIT
// The core, compiled as soon as the page starts: 60-odd KB compile in about a
// millisecond, quicker than a round trip to a compiler thread and back.
var pemdraWasm = (function (base64) {
  var bytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64)
                                    : Uint8Array.from(atob(base64), function (c) { return c.charCodeAt(0); });
  return new WebAssembly.Module(bytes);
})('@WASM@');
