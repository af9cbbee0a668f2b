// SPDX-License-Identifier: MIT
// The core, compiled as soon as the page starts: 60-odd KB compile in about a
// millisecond, quicker than a round trip to a compiler thread and back. Where it
// cannot be (no WebAssembly in this browser, a host's policy that forbids compiling
// it, a failed compile), pemdraWasm is null and the page says so.
var pemdraWasm = (function (base64) {
  try {
    var bytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64)
                                      : Uint8Array.from(atob(base64), function (c) { return c.charCodeAt(0); });
    return new WebAssembly.Module(bytes);
  } catch (error) {
    return null;
  }
})('@WASM@');
