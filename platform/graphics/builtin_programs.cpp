// The device's built-in vertex and pixel programs: transforms, skinning, lighting and texturing in native code.
#include "platform/graphics/builtin_programs.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/pixel_math.h"

namespace platform::gfx {

namespace {

constexpr int kColor = 0;
constexpr int kUv = 4;
constexpr int kNormal = 6;

// Vertex constants (buffer slot 0): matrices are stored transposed, so
// element (row, col) of the matrix lies at float index col * 4 + row.
constexpr std::size_t kWorldViewProjection = 0;
constexpr std::size_t kWorld = 64;
constexpr std::size_t kExtraVector = 640;  // uv offset (x, y) or outline width (x)
constexpr int kVertexConstantSlot = 0;
constexpr int kBoneSlot = 5;
constexpr int kPixelConstantSlot = 1;

// Pixel constants (buffer slot 1).
constexpr std::size_t kUniformColor = 0;
constexpr std::size_t kLightDirection = 16;
constexpr std::size_t kAmbient = 64;
constexpr std::size_t kDiffuse = 128;

bool ReadFloats(const ConstantBufferView& view, std::size_t offset, float* out, int count)
{
    const std::size_t bytes = sizeof(float) * static_cast<std::size_t>(count);
    if (!view.data || offset + bytes > view.size) return false;
    std::memcpy(out, view.data + offset, bytes);
    return true;
}

// p (x, y, z, 1) times the transposed-stored matrix; identity when unbound.
void TransformPoint(const ConstantBufferView& view, std::size_t offset, const float* p, float* out)
{
    float m[16];
    if (!ReadFloats(view, offset, m, 16)) {
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        out[3] = 1.0f;
        return;
    }
    for (int col = 0; col < 4; ++col) {
        out[col] = p[0] * m[col * 4 + 0] + p[1] * m[col * 4 + 1] + p[2] * m[col * 4 + 2] + m[col * 4 + 3];
    }
}

void TransformNormal(const ConstantBufferView& view, const float* n, float* out)
{
    float m[16];
    if (!ReadFloats(view, kWorld, m, 16)) {
        std::copy(n, n + 3, out);
        return;
    }
    for (int col = 0; col < 3; ++col) out[col] = n[0] * m[col * 4 + 0] + n[1] * m[col * 4 + 1] + n[2] * m[col * 4 + 2];
}

void CopyColor(const VertexInput& in, VertexOutput& out) { std::copy(in.color, in.color + 4, out.varyings + kColor); }
void White(VertexOutput& out) { std::fill(out.varyings + kColor, out.varyings + kColor + 4, 1.0f); }
void CopyUv(const VertexInput& in, VertexOutput& out)
{
    out.varyings[kUv] = in.texcoord[0];
    out.varyings[kUv + 1] = in.texcoord[1];
}

// --- 2D: positions arrive in device coordinates already.

void VsVp2Vc(const VertexInput& in, const ShaderConstants&, VertexOutput& out)
{
    out.position[0] = in.position[0];
    out.position[1] = in.position[1];
    out.position[2] = 0.0f;
    out.position[3] = 1.0f;
    CopyColor(in, out);
}

void VsVp2VcVt(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    VsVp2Vc(in, constants, out);
    CopyUv(in, out);
}

// --- 3D.

void VsVp3(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    TransformPoint(constants.slots[kVertexConstantSlot], kWorldViewProjection, in.position, out.position);
    White(out);
}

void VsVp3Vc(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    TransformPoint(constants.slots[kVertexConstantSlot], kWorldViewProjection, in.position, out.position);
    CopyColor(in, out);
}

void VsVp3VcVt(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    VsVp3Vc(in, constants, out);
    CopyUv(in, out);
}

void VsVp3VcVnVt(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    VsVp3VcVt(in, constants, out);
    TransformNormal(constants.slots[kVertexConstantSlot], in.normal, out.varyings + kNormal);
}

void VsOutline(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    // The outline pass draws the mesh pushed out along its normals.
    float extra[4] = {0, 0, 0, 0};
    ReadFloats(constants.slots[kVertexConstantSlot], kExtraVector, extra, 4);
    VertexInput pushed = in;
    for (int i = 0; i < 3; ++i) pushed.position[i] += in.normal[i] * extra[0];
    VsVp3VcVnVt(pushed, constants, out);
}

void VsRoffsetUv(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    float extra[4] = {0, 0, 0, 0};
    ReadFloats(constants.slots[kVertexConstantSlot], kExtraVector, extra, 4);
    VsVp3VcVnVt(in, constants, out);
    out.varyings[kUv] += extra[0];
    out.varyings[kUv + 1] += extra[1];
}

// Blends position and normal over four bones of the palette.
VertexInput Skin(const VertexInput& in, const ShaderConstants& constants)
{
    VertexInput skinned = in;
    const ConstantBufferView& bones = constants.slots[kBoneSlot];
    if (!bones.data) return skinned;
    float position[3] = {0, 0, 0};
    float normal[3] = {0, 0, 0};
    for (int b = 0; b < 4; ++b) {
        const float weight = in.boneWeight[b];
        if (weight == 0.0f) continue;
        float m[16];
        if (!ReadFloats(bones, static_cast<std::size_t>(in.boneIndex[b]) * 64, m, 16)) continue;
        for (int col = 0; col < 3; ++col) {
            position[col] += weight * (in.position[0] * m[col * 4 + 0] + in.position[1] * m[col * 4 + 1] +
                                       in.position[2] * m[col * 4 + 2] + m[col * 4 + 3]);
            normal[col] += weight * (in.normal[0] * m[col * 4 + 0] + in.normal[1] * m[col * 4 + 1] +
                                     in.normal[2] * m[col * 4 + 2]);
        }
    }
    std::copy(position, position + 3, skinned.position);
    std::copy(normal, normal + 3, skinned.normal);
    return skinned;
}

void VsVb4(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    VsVp3VcVnVt(Skin(in, constants), constants, out);
}

void VsVb4Outline(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out)
{
    VsOutline(Skin(in, constants), constants, out);
}

constexpr std::uint32_t kP = SemanticBit(Semantic::Position);
constexpr std::uint32_t kC = SemanticBit(Semantic::Color);
constexpr std::uint32_t kN = SemanticBit(Semantic::Normal);
constexpr std::uint32_t kT = SemanticBit(Semantic::TexCoord);
constexpr std::uint32_t kB = SemanticBit(Semantic::BoneIndex) | SemanticBit(Semantic::BoneWeight);

const VertexProgram kVertexPrograms[] = {
    {"vs_vp2_vc", kP | kC, 4, VsVp2Vc, true},
    {"vs_vp2_vc_vt", kP | kC | kT, 6, VsVp2VcVt, true},
    {"vs_vp3", kP, 4, VsVp3},
    {"vs_vp3_vc", kP | kC, 4, VsVp3Vc},
    {"vs_vp3_vc_vn_vt", kP | kC | kN | kT, 9, VsVp3VcVnVt},
    {"vs_vp3_vc_vn_vt_elt", kP | kC | kN | kT, 9, VsVp3VcVnVt},
    {"vs_vp3_vc_vn_vt_esdw", kP | kC | kN | kT, 9, VsVp3VcVnVt},
    {"vs_vp3_vc_vn_vt_outline", kP | kC | kN | kT, 9, VsOutline},
    {"vs_vp3_vc_vn_vt_roffsetuv", kP | kC | kN | kT, 9, VsRoffsetUv},
    {"vs_vp3_vc_vn_vt_vb4", kP | kC | kN | kT | kB, 9, VsVb4},
    {"vs_vp3_vc_vn_vt_vb4_elt", kP | kC | kN | kT | kB, 9, VsVb4},
    {"vs_vp3_vc_vn_vt_vb4_outline", kP | kC | kN | kT | kB, 9, VsVb4Outline},
    {"vs_vp3_vc_vt", kP | kC | kT, 6, VsVp3VcVt},
};

// --- Pixel programs.

struct UniformColor {
    float rgba[4] = {0, 0, 0, 0};
};

UniformColor ReadUniformColor(const PixelSpan& span)
{
    UniformColor color;
    if (span.constants) ReadFloats(span.constants->slots[kPixelConstantSlot], kUniformColor, color.rgba, 4);
    return color;
}

std::uint32_t ColorOf(const float* v)
{
    return PackColor(ToByte(v[0]), ToByte(v[1]), ToByte(v[2]), ToByte(v[3]));
}

// Moves the colour toward the uniform colour by the uniform's alpha (a flash).
std::uint32_t ApplyUniformColor(std::uint32_t color, const UniformColor& uniform)
{
    const int t = ToByte(uniform.rgba[3]);
    if (t == 0) return color;
    const int r = ToByte(uniform.rgba[0]);
    const int g = ToByte(uniform.rgba[1]);
    const int b = ToByte(uniform.rgba[2]);
    auto mix = [t](int from, int to) { return Div255(from * (255 - t) + to * t); };
    return PackColor(mix(ChannelR(color), r), mix(ChannelG(color), g), mix(ChannelB(color), b), ChannelA(color));
}

void PsZero(const PixelSpan& span, std::uint32_t* out) { std::fill(out, out + span.count, 0u); }

void PsRuc(const PixelSpan& span, std::uint32_t* out)
{
    const UniformColor uniform = ReadUniformColor(span);
    std::fill(out, out + span.count, ColorOf(uniform.rgba));
}

void PsVc(const PixelSpan& span, std::uint32_t* out)
{
    for (int i = 0; i < span.count; ++i) out[i] = ColorOf(span.varyings + i * span.stride + kColor);
}

void PsVcRuc(const PixelSpan& span, std::uint32_t* out)
{
    const UniformColor uniform = ReadUniformColor(span);
    for (int i = 0; i < span.count; ++i) {
        out[i] = ApplyUniformColor(ColorOf(span.varyings + i * span.stride + kColor), uniform);
    }
}

std::uint32_t TexturedColor(const PixelSpan& span, const float* v)
{
    const std::uint32_t texel = Sample(span.textures[0], span.samplers[0], v[kUv], v[kUv + 1]);
    return ModulateColor(texel, ToByte(v[kColor]), ToByte(v[kColor + 1]), ToByte(v[kColor + 2]),
                         ToByte(v[kColor + 3]));
}

void PsVcTc(const PixelSpan& span, std::uint32_t* out)
{
    for (int i = 0; i < span.count; ++i) out[i] = TexturedColor(span, span.varyings + i * span.stride);
}

// Ambient plus diffuse light from one direction; with the default constants
// (ambient 1, no direction) the surface shows unlit.
std::uint32_t LitColor(const PixelSpan& span, const float* v)
{
    float direction[4] = {0, 0, 0, 0};
    float ambient[4] = {1, 1, 1, 1};
    float diffuse[4] = {1, 1, 1, 1};
    if (span.constants) {
        const ConstantBufferView& view = span.constants->slots[kPixelConstantSlot];
        ReadFloats(view, kLightDirection, direction, 4);
        ReadFloats(view, kAmbient, ambient, 4);
        ReadFloats(view, kDiffuse, diffuse, 4);
    }
    const float* n = v + kNormal;
    const float lambert = std::max(0.0f, -(n[0] * direction[0] + n[1] * direction[1] + n[2] * direction[2]));
    float lit[4];
    for (int i = 0; i < 3; ++i) lit[i] = v[kColor + i] * std::min(1.0f, ambient[i] + diffuse[i] * lambert);
    lit[3] = v[kColor + 3];
    const std::uint32_t texel = Sample(span.textures[0], span.samplers[0], v[kUv], v[kUv + 1]);
    return ModulateColor(texel, ToByte(lit[0]), ToByte(lit[1]), ToByte(lit[2]), ToByte(lit[3]));
}

void PsVcVnTc(const PixelSpan& span, std::uint32_t* out)
{
    for (int i = 0; i < span.count; ++i) out[i] = LitColor(span, span.varyings + i * span.stride);
}

void PsVcVnTcRuc(const PixelSpan& span, std::uint32_t* out)
{
    const UniformColor uniform = ReadUniformColor(span);
    for (int i = 0; i < span.count; ++i) out[i] = ApplyUniformColor(LitColor(span, span.varyings + i * span.stride), uniform);
}

const PixelProgram kPixelPrograms[] = {
    {"ps_zero", 0, PsZero},
    {"ps_ruc", 0, PsRuc},
    {"ps_outline", 0, PsRuc},
    {"ps_vc", 4, PsVc, QuadShortcut::VertexColor, kColor, kUv},
    {"ps_vc_ruc", 4, PsVcRuc},
    {"ps_vc_tc", 6, PsVcTc, QuadShortcut::TextureTimesVertexColor, kColor, kUv},
    {"ps_vc_vn_tc", 9, PsVcVnTc},
    {"ps_vc_vn_tc_esdw", 9, PsVcVnTc},
    {"ps_vc_vn_tc_ruc", 9, PsVcVnTcRuc},
    {"ps_vc_vn_tc_ruc_elt", 9, PsVcVnTcRuc},
};

}  // namespace

std::span<const VertexProgram> BuiltinVertexPrograms() { return kVertexPrograms; }
std::span<const PixelProgram> BuiltinPixelPrograms() { return kPixelPrograms; }

}  // namespace platform::gfx
