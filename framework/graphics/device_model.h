// A model on the graphics device: its vertex and index buffers and its draws.
#pragma once

#include <memory>

#include "framework/graphics/model.h"

namespace platform::gfx {
class Buffer;
}

namespace vesk::resource {

// A model on the graphics device: one vertex buffer of the model's vertex
// data and one index buffer of every mesh's indices in mesh order. Static
// buffers are filled once; dynamic ones are uploaded whenever the caller asks
// (CreateBuffers again) and before each bind.
class SYSWIN_CModel final : public SYS_CModel_fbx {
public:
    SYSWIN_CModel();
    ~SYSWIN_CModel() override;

    void CreateBuffers(bool dynamic) override;
    void BindBuffers() override;
    void Draw() override;
    void DrawMeshes() override;

    bool IsDynamic() const { return dynamic_; }
    bool IsUploadPending() const { return uploadPending_; }
    const platform::gfx::Buffer* VertexBuffer() const { return vertexBuffer_.get(); }
    const platform::gfx::Buffer* IndexBuffer() const { return indexBuffer_.get(); }

protected:
    void ReleaseDeviceObjects() override;

private:
    void Upload();
    void DrawMeshList(bool bindTextures);

    std::unique_ptr<platform::gfx::Buffer> vertexBuffer_;
    std::unique_ptr<platform::gfx::Buffer> indexBuffer_;
    bool dynamic_ = false;
    bool uploadPending_ = false;
};

}  // namespace vesk::resource
