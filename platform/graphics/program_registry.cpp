// The registry of shader programs by name: the built-ins, and later registrations that take precedence.
#include <mutex>
#include <deque>

#include "platform/graphics/builtin_programs.h"
#include "platform/graphics/program.h"

namespace platform::gfx {

namespace {
struct Registry {
    std::mutex lock;
    std::deque<VertexProgram> vertex;  // deque: shaders keep references
    std::deque<PixelProgram> pixel;
    bool seeded = false;

    void Seed()
    {
        if (seeded) return;
        seeded = true;
        for (const VertexProgram& program : BuiltinVertexPrograms()) vertex.push_back(program);
        for (const PixelProgram& program : BuiltinPixelPrograms()) pixel.push_back(program);
    }
};

Registry& GetRegistry()
{
    static Registry registry;
    return registry;
}

template <typename Program>
const Program* FindIn(std::deque<Program>& programs, std::string_view name)
{
    // Later registrations win, so a test can stand in for a built-in.
    for (auto it = programs.rbegin(); it != programs.rend(); ++it) {
        if (it->name == name) return &*it;
    }
    return nullptr;
}
}  // namespace

const VertexProgram* FindVertexProgram(std::string_view name)
{
    Registry& registry = GetRegistry();
    std::lock_guard guard(registry.lock);
    registry.Seed();
    return FindIn(registry.vertex, name);
}

const PixelProgram* FindPixelProgram(std::string_view name)
{
    Registry& registry = GetRegistry();
    std::lock_guard guard(registry.lock);
    registry.Seed();
    return FindIn(registry.pixel, name);
}

void RegisterVertexProgram(const VertexProgram& program)
{
    Registry& registry = GetRegistry();
    std::lock_guard guard(registry.lock);
    registry.Seed();
    registry.vertex.push_back(program);
}

void RegisterPixelProgram(const PixelProgram& program)
{
    Registry& registry = GetRegistry();
    std::lock_guard guard(registry.lock);
    registry.Seed();
    registry.pixel.push_back(program);
}

}  // namespace platform::gfx
