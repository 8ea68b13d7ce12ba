// The fixed shader set: 13 vertex and 10 pixel shaders with their keys and input layouts.
#include "framework/graphics/shader_table.h"

namespace vesk::resource {

namespace {

using platform::gfx::ElementFormat;
using platform::gfx::InputElement;
using platform::gfx::Semantic;

// Input layouts A to G.
constexpr InputElement kLayoutA[] = {{Semantic::Position, ElementFormat::Float2, 0},
                                     {Semantic::Color, ElementFormat::Float4, 8}};
constexpr InputElement kLayoutB[] = {{Semantic::Position, ElementFormat::Float2, 0},
                                     {Semantic::Color, ElementFormat::Float4, 8},
                                     {Semantic::TexCoord, ElementFormat::Float2, 24}};
constexpr InputElement kLayoutC[] = {{Semantic::Position, ElementFormat::Float3, 0}};
constexpr InputElement kLayoutD[] = {{Semantic::Position, ElementFormat::Float3, 0},
                                     {Semantic::Color, ElementFormat::Float4, 12}};
constexpr InputElement kLayoutE[] = {{Semantic::Position, ElementFormat::Float3, 0},
                                     {Semantic::Color, ElementFormat::Float4, 12},
                                     {Semantic::Normal, ElementFormat::Float3, 28},
                                     {Semantic::TexCoord, ElementFormat::Float2, 40}};
constexpr InputElement kLayoutF[] = {{Semantic::Position, ElementFormat::Float3, 0},
                                     {Semantic::Color, ElementFormat::Float4, 12},
                                     {Semantic::Normal, ElementFormat::Float3, 28},
                                     {Semantic::TexCoord, ElementFormat::Float2, 40},
                                     {Semantic::BoneIndex, ElementFormat::UShort4, 48},
                                     {Semantic::BoneWeight, ElementFormat::Float4, 56}};
constexpr InputElement kLayoutG[] = {{Semantic::Position, ElementFormat::Float3, 0},
                                     {Semantic::Color, ElementFormat::Float4, 12},
                                     {Semantic::TexCoord, ElementFormat::Float2, 28}};

const ShaderTableRecord kVertexShaders[] = {
    {"vs_vp2_vc", {{0x1001, 0, 0, 0}}, kLayoutA, 24},
    {"vs_vp2_vc_vt", {{0x1011, 0, 0, 0}}, kLayoutB, 32},
    {"vs_vp3", {{0x2, 0, 0, 0}}, kLayoutC, 12},
    {"vs_vp3_vc", {{0x1002, 0, 0, 0}}, kLayoutD, 28},
    {"vs_vp3_vc_vn_vt", {{0x1112, 0, 0, 0}}, kLayoutE, 48},
    {"vs_vp3_vc_vn_vt_elt", {{0x1112, 0x40000, 0, 0}}, kLayoutE, 48},
    {"vs_vp3_vc_vn_vt_esdw", {{0x1112, 0x10000, 0, 0}}, kLayoutE, 48},
    {"vs_vp3_vc_vn_vt_outline", {{0x1112, 0x10000000, 0, 0}}, kLayoutE, 48},
    {"vs_vp3_vc_vn_vt_roffsetuv", {{0x1112, 0, 0x10, 0}}, kLayoutE, 48},
    {"vs_vp3_vc_vn_vt_vb4", {{0x41112, 0, 0, 0}}, kLayoutF, 72},
    {"vs_vp3_vc_vn_vt_vb4_elt", {{0x41112, 0x40000, 0, 0}}, kLayoutF, 72},
    {"vs_vp3_vc_vn_vt_vb4_outline", {{0x41112, 0x10000000, 0, 0}}, kLayoutF, 72},
    {"vs_vp3_vc_vt", {{0x1012, 0, 0, 0}}, kLayoutG, 36},
};

const ShaderTableRecord kPixelShaders[] = {
    {"ps_zero", {{0, 0, 0, 0}}, {}, 0},
    {"ps_ruc", {{0, 0, 0x1, 0}}, {}, 0},
    {"ps_outline", {{0, 0x10000000, 0, 0}}, {}, 0},
    {"ps_vc", {{0x1, 0, 0, 0}}, {}, 0},
    {"ps_vc_ruc", {{0x1, 0, 0x1, 0}}, {}, 0},
    {"ps_vc_tc", {{0x3, 0, 0, 0}}, {}, 0},
    {"ps_vc_vn_tc", {{0x7, 0, 0, 0}}, {}, 0},
    {"ps_vc_vn_tc_esdw", {{0x7, 0x10000, 0, 0}}, {}, 0},
    {"ps_vc_vn_tc_ruc", {{0x7, 0, 0x1, 0}}, {}, 0},
    {"ps_vc_vn_tc_ruc_elt", {{0x7, 0x80000, 0x1, 0}}, {}, 0},
};

}  // namespace

std::span<const ShaderTableRecord> VertexShaderTable() { return kVertexShaders; }
std::span<const ShaderTableRecord> PixelShaderTable() { return kPixelShaders; }

}  // namespace vesk::resource
