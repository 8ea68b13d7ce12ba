// Shaders: feature keys, the shader pair with its constant blocks, and the manager that finds them by name or key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform::gfx {
class Buffer;
class InputLayout;
class PixelShader;
class VertexShader;
}  // namespace platform::gfx

namespace vesk::resource {

class ShaderParameterProvider;

// Feature key of one shader: vertex-format bits, feature bits, option bits, 0.
struct ShaderKey {
    std::uint32_t words[4] = {0, 0, 0, 0};
    friend bool operator==(const ShaderKey&, const ShaderKey&) = default;
};

// A pair key: the vertex key, then the pixel key.
struct ShaderPairKey {
    ShaderKey vertex;
    ShaderKey pixel;
    friend bool operator==(const ShaderPairKey&, const ShaderPairKey&) = default;
};

struct ShaderTableRecord;

inline constexpr std::size_t kVertexConstantBytes = 688;
inline constexpr std::size_t kPixelConstantBytes = 256;
inline constexpr int kBoneCount = 256;

// One shader pair and its constants.
class SYS_CShader {
public:
    virtual ~SYS_CShader() = default;
    virtual const std::string& GetName() const = 0;
    virtual const ShaderPairKey& GetKey() const = 0;
    // Binds layout, programs and the blend mode (5 keeps the blend state).
    virtual bool Apply(int blendMode) = 0;
    // Sends the constant blocks that changed since they were last cleared.
    virtual void Commit() = 0;
    virtual void SetBones(const float* matrices, int count) = 0;
    virtual void SetParameters(ShaderParameterProvider* provider, void* argument) = 0;
    virtual void ClearVertexDirty() = 0;
    // A 4x4 matrix (16 floats, row by row) stored transposed in a slot.
    virtual bool SetVertexMatrix(int slot, const float* matrix) = 0;
    // 16 floats go in as a matrix; other counts are copied as they are.
    virtual bool SetVertexConstant(int slot, const float* data, int floatCount) = 0;
    virtual void ClearPixelDirty() = 0;
    virtual bool SetPixelMatrix(int slot, const float* matrix) = 0;
    virtual bool SetPixelConstant(int slot, const float* data, int floatCount) = 0;
};

class SYSWIN_CShader final : public SYS_CShader {
public:
    SYSWIN_CShader(const ShaderTableRecord& vertex, const ShaderTableRecord& pixel);
    ~SYSWIN_CShader() override;

    const std::string& GetName() const override { return name_; }
    const ShaderPairKey& GetKey() const override { return key_; }
    bool Apply(int blendMode) override;
    void Commit() override;
    void SetBones(const float* matrices, int count) override;
    void SetParameters(ShaderParameterProvider* provider, void* argument) override;
    void ClearVertexDirty() override { vertexDirty_ = false; }
    bool SetVertexMatrix(int slot, const float* matrix) override;
    bool SetVertexConstant(int slot, const float* data, int floatCount) override;
    void ClearPixelDirty() override { pixelDirty_ = false; }
    bool SetPixelMatrix(int slot, const float* matrix) override;
    bool SetPixelConstant(int slot, const float* data, int floatCount) override;

    std::uint32_t VertexStride() const { return vertexStride_; }
    // False when a program or a constant buffer could not be made.
    bool IsUsable() const { return usable_; }
    const std::uint8_t* VertexConstants() const { return vertexConstants_; }
    const std::uint8_t* PixelConstants() const { return pixelConstants_; }

private:
    friend bool CreateShaderPairObjects(SYSWIN_CShader& pair);

    std::uint32_t vertexStride_ = 0;
    std::string name_;
    ShaderPairKey key_;
    const ShaderTableRecord* vertexRecord_;
    const ShaderTableRecord* pixelRecord_;
    bool vertexDirty_ = false;
    alignas(16) std::uint8_t vertexConstants_[kVertexConstantBytes] = {};
    std::unique_ptr<platform::gfx::Buffer> vertexBuffer_;
    float bones_[kBoneCount * 16] = {};
    std::unique_ptr<platform::gfx::Buffer> boneBuffer_;
    bool pixelDirty_ = false;
    alignas(16) std::uint8_t pixelConstants_[kPixelConstantBytes] = {};
    std::unique_ptr<platform::gfx::Buffer> pixelBuffer_;
    bool usable_ = false;
};

}  // namespace vesk::resource

namespace vesk::graphics {

// Prepares the table of 13 vertex and 10 pixel shaders; pairs are made on
// first request. Needs the device.
bool CreateShaderManager();
void ReleaseShaderManager();

// "<vertex name>__<pixel name>". A part that names no shader falls back to
// "vs_vp3_vc_vt" or "ps_vc_tc"; a name without "__" gives that default pair.
resource::SYSWIN_CShader* GetShaderByName(std::string_view name);
// The pair of exactly these keys, made on first request; null when a key is
// not in the table.
resource::SYSWIN_CShader* GetShaderByKey(const resource::ShaderPairKey& key);

// Profile names of the device (kept for the shader set; the files are the same
// for every profile).
std::string_view VertexProfileName();
std::string_view PixelProfileName();

}  // namespace vesk::graphics
