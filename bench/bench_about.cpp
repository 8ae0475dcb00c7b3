// Decoding the About picture, as the About window does at start-up.

#include "about/jpeg_picture.h"
#include "assets/assets.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QByteArray aboutPicture() {
    sumbrook::assets::ensureResources();
    QFile file(QString::fromUtf8(sumbrook::assets::kAboutPicture));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void decode(benchmark::State& state, sumbrook::PictureColors colors) {
    const QByteArray jpeg = aboutPicture();
    if (jpeg.isEmpty()) {
        state.SkipWithError("the About picture is missing");
        return;
    }
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(sumbrook::decodeJpeg(jpeg, colors));
    }
}

void BM_DecodeAboutPicture24Bit(benchmark::State& state) {
    decode(state, sumbrook::PictureColors::TrueColor);
}
void BM_DecodeAboutPicture236Colors(benchmark::State& state) {
    decode(state, sumbrook::PictureColors::Palette236);
}

} // namespace

BENCHMARK(BM_DecodeAboutPicture24Bit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeAboutPicture236Colors)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
