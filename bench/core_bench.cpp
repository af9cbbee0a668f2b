// SPDX-License-Identifier: MIT
// How long one click on the conversion button takes without a window, and its
// two text-number steps alone.
#include <benchmark/benchmark.h>

#include "conversion.h"
#include "memory_controls.h"
#include "numbertext.h"

namespace {

using pemdra::TextBox;

void fullConversion(benchmark::State& state) {
  pemdra::testing::MemoryControls form;
  form.recording = false;
  form.combo = u"3,14159265358979";
  for (auto _ : state) {
    form[TextBox::Text1] = u"12,5125";
    pemdra::CY_Click(form);
    benchmark::DoNotOptimize(form.texts);
  }
}
BENCHMARK(fullConversion);

void readNumber(benchmark::State& state) {
  const std::u16string text = u"3,14159265358979";
  for (auto _ : state) benchmark::DoNotOptimize(pemdra::readNumber(text));
}
BENCHMARK(readNumber);

void writeNumber(benchmark::State& state) {
  double value = 0.0694444444444444;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(pemdra::writeNumber(value));
  }
}
BENCHMARK(writeNumber);

}  // namespace
