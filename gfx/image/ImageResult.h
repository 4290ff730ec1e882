// The outcome of the last picture reader call, kept for tests, tools and logs: the code the call
// returned and a short fixed text saying why.
#pragma once

struct GfxImageError {
  int code = 0;
  // "done" after success; otherwise a fixed phrase such as "bad DHT length". Never null, never
  // freed: the texts are string literals.
  const char* reason = "";
};

// The code and reason of the most recent GfxShowBMP, GfxReadJPEGHeader, GfxShowJPEG, GfxShowSPR,
// GfxSavePCX or GfxShowPCX call (GfxJPEGBufferSize and GfxSetJPEGBuffer leave it alone).
GfxImageError GfxLastImageError();

// Records the outcome of a reader call and hands the code back, so a reader can end with
// `return GfxImageResult(kBmpNotBmp, "no BM signature");`.
int GfxImageResult(int code, const char* reason);
