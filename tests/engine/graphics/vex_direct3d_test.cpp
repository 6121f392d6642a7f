// The device module on the recording backend: start-up choices and their
// log lines, default states through the counted setters, the lost-device
// path, frame statistics, the viewport and the world transforms.
#include <cmath>

#include "platform/gfx/gfx_math.h"
#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

class Direct3DTest : public RecordingTest {
protected:
    void SetUp() override {}
};

TEST_F(Direct3DTest, StartWithZeroSizeMakesA640By480DeviceAndReportsWhatItChose) {
    LogTail log;
    ASSERT_TRUE(StartRecording({}, 0, 0, 0));
    EXPECT_EQ(Direct3D().width(), 640);
    EXPECT_EQ(Direct3D().height(), 480);
    EXPECT_EQ(device().parameters().width, 640u);
    // bpp 0 takes the desktop's format and its bits.
    EXPECT_EQ(Direct3D().bpp(), 32);
    EXPECT_EQ(Direct3D().depthFormat(), kFormatD24S8);
    EXPECT_TRUE(log.Has("Iniciando Direct3D: Ok."));
    EXPECT_TRUE(log.HasLine("Direct3d iniciado com sucesso em <640x480x32bpp>."));
    EXPECT_TRUE(log.HasLine("Usando mixed vertex processing."));
    EXPECT_TRUE(log.HasLine(" * Memória para texturas: 64MB "));
    EXPECT_TRUE(log.HasLine(" * BackBuffer...........: X8R8G8B8"));
    EXPECT_TRUE(log.HasLine(" * Depth................: D24S8"));
    EXPECT_TRUE(log.HasLine(" * Stencil..............: 1"));
    EXPECT_TRUE(log.HasLine(" * ZBias................: 1"));
}

TEST_F(Direct3DTest, StencilFallsBackToPlainDepthFormatsInOrderAndClearsTheStencilBit) {
    RecordingConfig config;
    config.depthFormats = {kFormatD24X8, kFormatD16};
    LogTail log;
    ASSERT_TRUE(StartRecording(config));
    const std::vector<uint32_t> expected{kFormatD24S8, kFormatD24X4S4, kFormatD15S1, kFormatD32,
                                         kFormatD24X8};
    EXPECT_EQ(system().depthChecks(), expected);
    EXPECT_EQ(Direct3D().depthFormat(), kFormatD24X8);
    EXPECT_EQ(Direct3D().capabilities().stencil, 0u);
    EXPECT_TRUE(log.HasLine(" * Stencil..............: 0"));

    // A 16-bit back buffer, or forced 16-bit depth, tries only the 16-bit formats.
    config.depthFormats = {kFormatD16};
    ASSERT_TRUE(StartRecording(config, 640, 480, 32, true, true));
    EXPECT_EQ(system().depthChecks(), (std::vector<uint32_t>{kFormatD15S1, kFormatD16}));
    EXPECT_EQ(Direct3D().capabilities().depth16, 1u);
    ASSERT_TRUE(StartRecording(config, 640, 480, 16, false));
    EXPECT_EQ(system().depthChecks(), (std::vector<uint32_t>{kFormatD16}));
    EXPECT_EQ(Direct3D().backBufferFormat(), kFormatR5G6B5);
}

TEST_F(Direct3DTest, NoDepthFormatWarnsAndStillCreatesTheDevice) {
    RecordingConfig config;
    config.depthFormats = {};
    LogTail log;
    ASSERT_TRUE(StartRecording(config));
    EXPECT_TRUE(log.Has("AVISO: (não foi possível encontrar um formato compatível) "));
    EXPECT_NE(Direct3D().device(), nullptr);
}

TEST_F(Direct3DTest, RefusedMixedProcessingFallsBackToSoftwareAndBothRefusedFails) {
    RecordingConfig config;
    config.refuseMixedProcessing = true;
    LogTail log;
    ASSERT_TRUE(StartRecording(config));
    EXPECT_EQ(system().creations(),
              (std::vector<VertexProcessing>{kMixedVertexProcessing, kSoftwareVertexProcessing}));
    EXPECT_TRUE(log.HasLine("Usando software vertex processing."));

    config.refuseSoftwareProcessing = true;
    LogTail failed;
    EXPECT_FALSE(StartRecording(config, 800, 600));
    EXPECT_EQ(Direct3D().device(), nullptr);
    EXPECT_TRUE(failed.Has("Iniciando Direct3D: Erro."));
    EXPECT_TRUE(
        failed.HasLine("ERRO: Não foi possível iniciar o Direct3D sob estas configurações: width "
                       "<800>, height <600>, bpp <32>, "
                       "full screen <0>"));
}

TEST_F(Direct3DTest, DefaultStatesGoThroughTheCountedSetters) {
    const uint32_t renderStatesBefore = Direct3D().stats().renderStateChanges.current;
    const uint32_t stageStatesBefore = Direct3D().stats().stageStateChanges.current;
    ASSERT_TRUE(StartRecording());
    RecordingDevice& d = device();
    EXPECT_EQ(d.renderState(kRsCullMode), kCullCCW);
    EXPECT_EQ(d.renderState(kRsAlphaBlendEnable), 1u);
    EXPECT_EQ(d.renderState(kRsSrcBlend), kBlendSrcAlpha);
    EXPECT_EQ(d.renderState(kRsDestBlend), kBlendInvSrcAlpha);
    EXPECT_EQ(d.renderState(kRsSpecularEnable), 1u);
    EXPECT_EQ(d.renderState(kRsNormalizeNormals), 1u);
    EXPECT_EQ(d.stageState(0, kTssAlphaOp), kTopSelectArg1);
    EXPECT_EQ(d.stageState(0, kTssMipFilter), kTexfLinear);
    EXPECT_EQ(d.viewport().width, 640u);
    EXPECT_EQ(d.viewport().height, 480u);
    // Every call the device saw is counted, and nothing else.
    EXPECT_EQ(Direct3D().stats().renderStateChanges.current - renderStatesBefore,
              d.CountOf(Call::SetRenderState));
    EXPECT_EQ(Direct3D().stats().stageStateChanges.current - stageStatesBefore,
              d.CountOf(Call::SetTextureStageState));

    // Counters start again each frame; their maxima stay.
    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().SetLighting(false);
    Direct3D().SetWireframe(true);
    EXPECT_EQ(Direct3D().stats().renderStateChanges.current, 2u);
    Direct3D().AddTriangles(300);
    Direct3D().EndScene();
    Direct3D().PresentFrame();
    ASSERT_TRUE(Direct3D().BeginFrame());
    Direct3D().AddTriangles(10);
    Direct3D().PresentFrame();
    EXPECT_EQ(Direct3D().stats().renderStateChanges.current, 0u);
    EXPECT_GE(Direct3D().stats().renderStateChanges.maximum, 2u);
    EXPECT_EQ(Direct3D().stats().triangles.current, 10u);
    EXPECT_EQ(Direct3D().stats().triangles.maximum, 300u);
    EXPECT_EQ(device().renderState(kRsFillMode), kFillWireframe);
}

TEST_F(Direct3DTest, LostDeviceSkipsFramesUntilAResetSucceedsAndThenRestoresTheDefaults) {
    ASSERT_TRUE(StartRecording());
    device().Lose();
    EXPECT_FALSE(Direct3D().BeginFrame());
    EXPECT_FALSE(Direct3D().BeginFrame());
    EXPECT_EQ(device().CountOf(Call::Reset), 0u);

    LogTail failed;
    device().MakeResettable(false);
    EXPECT_FALSE(Direct3D().BeginFrame());
    EXPECT_TRUE(failed.HasLine("ERRO: O Direct3D não pôde ser recriado."));

    LogTail reset;
    device().MakeResettable(true);
    device().ForgetCalls();
    EXPECT_FALSE(Direct3D().BeginFrame());  // no frame in the call that resets
    EXPECT_TRUE(reset.HasLine("O Direct3D foi recriado com sucesso."));
    EXPECT_EQ(device().renderState(kRsAlphaBlendEnable), 1u);
    EXPECT_EQ(device().renderState(kRsSrcBlend), kBlendSrcAlpha);
    EXPECT_GT(device().CountOf(Call::SetViewport), 0u);
    EXPECT_TRUE(Direct3D().BeginFrame());
}

TEST_F(Direct3DTest, FrameStatisticsCountFullSecondsAndReportThem) {
    ASSERT_TRUE(StartRecording());
    auto runSeconds = [](int seconds, int perSecond) {
        for (int i = 0; i < seconds * perSecond; ++i) {
            ASSERT_TRUE(Direct3D().BeginFrame());
            testNow += 1.0 / perSecond;
            Direct3D().EndScene();
            Direct3D().PresentFrame();
        }
    };
    // Exact binary steps: a second of 1/64 s frames sums to exactly 1.0.
    // The first second also holds whatever frames earlier tests presented.
    runSeconds(1, 64);
    const int first = Direct3D().stats().averageFps;
    runSeconds(2, 64);
    EXPECT_EQ(Direct3D().fps(), 64);
    const int halved = ((first + 64) / 2 + 64) / 2;  // the average halves its way towards 64
    EXPECT_EQ(Direct3D().stats().averageFps, halved);
    runSeconds(1, 32);
    EXPECT_EQ(Direct3D().fps(), 32);
    EXPECT_GE(Direct3D().stats().maximumFps, 64);
    EXPECT_EQ(Direct3D().stats().minimumFps, 32);
    EXPECT_EQ(Direct3D().stats().averageFps, (halved + 32) / 2);

    LogTail log;
    Direct3D().ReportStats();
    EXPECT_TRUE(log.Has("\r\nMenor taxa de framerate..: 32 fps.\r\n"));
    EXPECT_TRUE(
        log.HasLine("Taxa média de framerate..: " + std::to_string((halved + 32) / 2) + " fps."));
    EXPECT_TRUE(log.Has("Maior taxa de framerate..: " +
                        std::to_string(Direct3D().stats().maximumFps) + " fps.\r\n\r\n"));
    EXPECT_TRUE(log.HasLine("Máx. triângulos exibidos........: " +
                            std::to_string(Direct3D().stats().triangles.maximum)));
}

TEST_F(Direct3DTest, ResizeResetsTheSameDeviceAtTheNewSizeOrKeepsTheOldOne) {
    ASSERT_TRUE(StartRecording({}, 570, 400));
    const gfx::Device* before = Direct3D().device();
    Direct3D().SetRenderStateCounted(kRsFillMode, kFillWireframe);

    ASSERT_TRUE(Direct3D().Resize(1920, 1080));
    EXPECT_EQ(Direct3D().device(), before) << "a new device would lose every texture";
    EXPECT_EQ(device().parameters().width, 1920u);
    EXPECT_EQ(device().parameters().height, 1080u);
    EXPECT_EQ(Direct3D().virtualWidth(), 1920);
    EXPECT_EQ(Direct3D().ratioY(), 1.0f);
    // The whole new screen is the view, and the defaults are back on.
    EXPECT_EQ(device().viewport().width, 1920u);
    EXPECT_EQ(device().viewport().height, 1080u);
    EXPECT_EQ(device().renderState(kRsFillMode), kFillSolid);
    EXPECT_EQ(device().renderState(kRsAlphaBlendEnable), 1u);

    // Nothing the device can draw at, or a reset it refuses: the old size
    // stays in force, said in the log.
    device().MakeResettable(false);
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{0, 480}, std::pair{40000, 480}}) {
        LogTail log;
        EXPECT_FALSE(Direct3D().Resize(uint16_t(w), uint16_t(h)));
        EXPECT_TRUE(log.Has("continua em <1920x1080>")) << log.Text();
        EXPECT_EQ(Direct3D().width(), 1920);
        EXPECT_EQ(device().parameters().width, 1920u);
        EXPECT_EQ(device().viewport().width, 1920u);
    }
    EXPECT_TRUE(Direct3D().BeginFrame()) << "a refused size leaves the device drawing";
}

TEST_F(Direct3DTest, ViewportRectScalesByTheVirtualSizeClampsAndCollapses) {
    ASSERT_TRUE(StartRecording({}, 640, 480));
    Direct3D().SetVirtualSize(320, 240);
    EXPECT_TRUE(Direct3D().SetViewportRect(10, 20, 100, 200));
    EXPECT_EQ(device().viewport().x, 20u);
    EXPECT_EQ(device().viewport().y, 40u);
    EXPECT_EQ(device().viewport().width, 180u);
    EXPECT_EQ(device().viewport().height, 360u);
    EXPECT_EQ(Direct3D().virtualViewportRect().x2, 100);

    // Past the screen: clamped to it.
    EXPECT_TRUE(Direct3D().SetViewportRect(-50, 0, 1000, 1000));
    EXPECT_EQ(device().viewport().x, 0u);
    EXPECT_EQ(device().viewport().width, 640u);
    EXPECT_EQ(device().viewport().height, 480u);

    // x2 < x1 collapses to zero width.
    EXPECT_FALSE(Direct3D().SetViewportRect(100, 10, 50, 200));
    EXPECT_EQ(device().viewport().width, 0u);
    EXPECT_EQ(device().viewport().x, 100u);
    Direct3D().SetVirtualSize(640, 480);
}

TEST_F(Direct3DTest, WorldTransformsComposeInTheSixOrders) {
    ASSERT_TRUE(StartRecording());
    const Vector3 position{10, 0, 0}, angles{0, 1.5707964f, 0}, scale{2, 2, 2};
    const Vector3 point{1, 0, 0};
    auto transformed = [&](uint8_t order) {
        Direct3D().SetWorldTransform(position, angles, scale, order);
        EXPECT_EQ(device().transform(kTsWorld), Direct3D().world());
        return TransformCoord(point, Direct3D().world());
    };
    auto near = [](Vector3 a, Vector3 b) { return glm::length(a - b) < 1e-4f; };
    // A quarter turn about y takes +x to -z in a left-handed frame.
    EXPECT_TRUE(near(transformed(1), {10, 0, -2}));  // scale, rotate, translate
    EXPECT_TRUE(near(transformed(2), {0, 0, -12}));  // scale, translate, rotate
    EXPECT_TRUE(near(transformed(3), {0, 0, -22}));  // translate, rotate, scale
    EXPECT_TRUE(near(transformed(4), {0, 0, -22}));  // translate, scale, rotate
    EXPECT_TRUE(near(transformed(5), {10, 0, -2}));  // rotate, scale, translate
    EXPECT_TRUE(near(transformed(6), {20, 0, -2}));  // rotate, translate, scale
    EXPECT_TRUE(near(transformed(7), point));        // unknown order: identity

    const Quaternion quarterY{0, std::sin(0.7853982f), 0, std::cos(0.7853982f)};
    Direct3D().SetWorldTransformQ(position, quarterY, scale, 1);
    EXPECT_TRUE(near(TransformCoord(point, Direct3D().world()), {10, 0, -2}));

    // The multiply operations change the matrix but leave the device alone.
    device().ForgetCalls();
    Direct3D().MultiplyTranslation(0, 5, 0);
    EXPECT_EQ(device().CountOf(Call::SetTransform), 0u);
    EXPECT_TRUE(near(TransformCoord(point, Direct3D().world()), {10, 5, -2}));
}

TEST_F(Direct3DTest, SmallStateWrappersAndTables) {
    ASSERT_TRUE(StartRecording());
    Direct3D().SetZBias(40);
    EXPECT_EQ(device().renderState(kRsZBias), 16u);
    Direct3D().RequestWBuffer(true);
    Direct3D().SetDepthTest(true);  // the recording device offers no W-buffer
    EXPECT_EQ(device().renderState(kRsZEnable), kZbTrue);
    Direct3D().RequestWBuffer(false);
    Direct3D().SetPointFilter(1);
    EXPECT_EQ(device().stageState(1, kTssMinFilter), kTexfPoint);
    EXPECT_EQ(device().stageState(1, kTssMipFilter), kTexfNone);

    Material m;
    VEX_Direct3D::MakeMaterial(m, 0.6f, 0.6f, 0, 0.2f, 0.2f, 0.2f, 0.25f, 0.25f, 0.25f, 0, 0, 0,
                               50);
    EXPECT_EQ(m.diffuse.a, 1.0f);
    EXPECT_EQ(m.emissive.a, 1.0f);
    EXPECT_EQ(m.power, 50.0f);

    EXPECT_STREQ(VEX_Direct3D::FormatName(kFormatA1R5G5B5), "A1R5G5B5");
    EXPECT_EQ(VEX_Direct3D::FormatBits(kFormatA8P8), 8);
    EXPECT_EQ(VEX_Direct3D::FormatBits(kFormatDXT3), 0);
    EXPECT_STREQ(VEX_Direct3D::FormatName(kFormatD24X4S4), "D24X4S4");
    EXPECT_STREQ(VEX_Direct3D::FormatName(12345), "UNKNOWN");
}

}  // namespace
