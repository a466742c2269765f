// The memory of a document's nodes.
#include "xml/DomArena.h"

#include "xml/DomNode.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {
// The size class of a small block: blocks of 1 to 16 bytes are class 0.
constexpr size_t ClassOf(size_t bytes, size_t grain) {
    return bytes == 0 ? 0 : (bytes - 1) / grain;
}

// Set when the cache below is destroyed. Trivially destructible, it stays
// readable for the arenas that outlive the cache at the program's end.
constinit std::atomic<bool> chunkCacheClosed{false};

// Chunks of documents that went, kept for the documents that follow. Given
// back to the system allocator, a tree's chunks return to the kernel as the
// heap shrinks, and the next tree faults every page in again: that was most
// of the time of building a tree of many small nodes. The cache is bounded,
// so that a large document freed leaves at most a few megabytes behind, and
// it frees what it keeps when the library is unloaded.
class ChunkCache {
public:
    static constexpr size_t kMaxChunks = 64;

    constexpr ChunkCache() = default;
    ~ChunkCache() {
        chunkCacheClosed = true;
        while (count_ > 0)
            std::free(chunks_[--count_]);
    }

    // A kept chunk, or null.
    void* Take() noexcept {
        if (chunkCacheClosed)
            return nullptr;
        std::lock_guard<std::mutex> lock(mutex_);
        if (count_ == 0)
            return nullptr;
        return chunks_[--count_];
    }
    // Keeps chunk when there is room; false when the caller must free it
    // (also for a document that outlives the cache at the program's end).
    bool Keep(void* chunk) noexcept {
        if (chunkCacheClosed)
            return false;
        std::lock_guard<std::mutex> lock(mutex_);
        if (count_ == kMaxChunks)
            return false;
        chunks_[count_++] = chunk;
        return true;
    }

private:
    std::mutex mutex_;
    std::array<void*, kMaxChunks> chunks_{};
    size_t count_ = 0;
};

// Constant-initialised, so that trees built by other static objects find it ready.
constinit ChunkCache sharedChunks;

} // namespace

TRwDOMArena::~TRwDOMArena() {
    // The nodes are not destroyed one by one: all they hold is in the arena.
    TRwDOMBase::ForgetInstances(nodes_);
    while (Chunk* chunk = chunks_) {
        chunks_ = chunk->next;
        if (chunk->bytes != kChunkSize || !sharedChunks.Keep(chunk))
            std::free(chunk);
    }
}

char* TRwDOMArena::NewChunk(size_t bytes) {
    void* memory = bytes == kChunkSize ? sharedChunks.Take() : nullptr;
    if (!memory)
        memory = std::malloc(sizeof(Chunk) + bytes);
    if (!memory)
        throw std::bad_alloc();
    chunks_ = new (memory) Chunk{chunks_, bytes};
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

void TRwDOMAllocationFault::Count() {
    if (countdown_.fetch_sub(1, std::memory_order_relaxed) == 0) {
        fired_.store(true, std::memory_order_relaxed);
        throw std::bad_alloc();
    }
}

void* TRwDOMArena::do_allocate(size_t bytes, size_t alignment) {
    TRwDOMAllocationFault::Check();
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
