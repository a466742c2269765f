// The memory of a document's nodes.
#include "xml/DomArena.h"

#include "xml/DomNode.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
// The size class of a small block: blocks of 1 to 16 bytes are class 0.
constexpr size_t ClassOf(size_t bytes, size_t grain) {
    return bytes == 0 ? 0 : (bytes - 1) / grain;
}
} // namespace

TRwDOMArena::~TRwDOMArena() {
    // The nodes are not destroyed one by one: all they hold is in the arena.
    TRwDOMBase::ForgetInstances(nodes_);
    while (Chunk* chunk = chunks_) {
        chunks_ = chunk->next;
        std::free(chunk);
    }
}

char* TRwDOMArena::NewChunk(size_t bytes) {
    void* memory = std::malloc(sizeof(Chunk) + bytes);
    if (!memory)
        throw std::bad_alloc();
    chunks_ = new (memory) Chunk{chunks_};
    return reinterpret_cast<char*>(chunks_ + 1);
}

void* TRwDOMArena::Cut(size_t bytes, size_t alignment) {
    auto aligned = [alignment](char* p) {
        auto address = reinterpret_cast<uintptr_t>(p);
        return reinterpret_cast<char*>((address + alignment - 1) & ~(uintptr_t(alignment) - 1));
    };
    if (cursor_) {
        char* block = aligned(cursor_);
        if (block <= end_ && bytes <= static_cast<size_t>(end_ - block)) {
            cursor_ = block + bytes;
            return block;
        }
    }
    if (bytes + alignment > kChunkSize / 4)
        return aligned(NewChunk(bytes + alignment));
    cursor_ = NewChunk(kChunkSize);
    end_ = cursor_ + kChunkSize;
    char* block = aligned(cursor_);
    cursor_ = block + bytes;
    return block;
}

void* TRwDOMArena::do_allocate(size_t bytes, size_t alignment) {
    if (bytes > kSmallLimit || alignment > kGrain)
        return Cut(bytes, alignment);
    const size_t sizeClass = ClassOf(bytes, kGrain);
    if (FreeBlock* block = free_[sizeClass]) {
        free_[sizeClass] = block->next;
        return block;
    }
    return Cut((sizeClass + 1) * kGrain, kGrain);
}

void TRwDOMArena::do_deallocate(void* block, size_t bytes, size_t alignment) {
    if (bytes > kSmallLimit || alignment > kGrain)
        return;
    const size_t sizeClass = ClassOf(bytes, kGrain);
    free_[sizeClass] = new (block) FreeBlock{free_[sizeClass]};
}
