// One paint of the live tree picture: the 18-tier tree with every lamp, the chest
// rail, the outline, star and cross lit at full level (goal: well under 2 ms).

#include "widgets/TreeGeometry.h"
#include "widgets/TreePicture.h"
#include "tests/ui/PictureShow.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

std::unique_ptr<CShowData> FullyLitShow()
{
    auto show = picture_test::MakeShow(18);
    picture_test::AllLampsOn(*show);
    picture_test::AllLevels(*show, 100);
    return show;
}

void BM_RenderEighteenTiersAllLit(benchmark::State& state)
{
    std::string here = __FILE__;  // <repo>/bench/ui/PictureBench.cpp
    const std::string sheet = here.substr(0, here.rfind("/bench/")) + "/app/Sprites.bmp";
    CTreePicture picture;
    if (!picture.LoadSprites(QString::fromStdString(sheet)))
        state.SkipWithError("app/Sprites.bmp not found");
    auto show = FullyLitShow();
    for (auto _ : state) {
        picture.Render(*show);
        benchmark::DoNotOptimize(picture.Canvas().constBits());
    }
}
BENCHMARK(BM_RenderEighteenTiersAllLit)->Unit(benchmark::kMicrosecond);

void BM_ComputeGeometryEighteenTiers(benchmark::State& state)
{
    auto show = FullyLitShow();
    CTreeGeometry g;
    for (auto _ : state) {
        ComputeTreeGeometry(*show, g);
        benchmark::DoNotOptimize(&g);
    }
}
BENCHMARK(BM_ComputeGeometryEighteenTiers)->Unit(benchmark::kMicrosecond);

}  // namespace
