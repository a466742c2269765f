// The memory of a document's nodes. A node, its lists and its texts are taken
// from the arena of the document that made it, and a document's arena is
// given back whole when the document goes, instead of node by node: building
// and freeing a tree of many small nodes costs little beyond the nodes
// themselves. Small blocks given back early (a node removed and released, a
// value replaced) are kept for the next block of their size; large ones stay
// until the arena goes. A node moved to another document keeps its memory,
// and that document then holds on to the arena too.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <memory_resource>

// Running out of memory on purpose, for the tests of what a failed allocation
// leaves behind. Armed, the allocation `after` allocations from then (0: the
// next) of any document's memory, its arena or its name pool, raises
// std::bad_alloc, once. It is compiled into every build so that the tests
// run the code that ships, and costs an allocation one relaxed load unless
// armed. Not for use by more than one thread at a time.
class TRwDOMAllocationFault {
public:
    // Arms the failure; a negative after disarms it.
    static void Arm(long after) noexcept { countdown_.store(after, std::memory_order_relaxed); }
    // Disarms the failure; true when the armed one was raised.
    static bool Disarm() noexcept {
        countdown_.store(-1, std::memory_order_relaxed);
        return fired_.exchange(false, std::memory_order_relaxed);
    }
    // Counts one allocation about to be made; raises std::bad_alloc when it
    // is the armed one.
    static void Check() {
        if (countdown_.load(std::memory_order_relaxed) >= 0) [[unlikely]]
            Count();
    }

private:
    static void Count();
    static constinit inline std::atomic<long> countdown_{-1};
    static constinit inline std::atomic<bool> fired_{false};
};

class TRwDOMArena : public std::pmr::memory_resource,
                    public std::enable_shared_from_this<TRwDOMArena> {
public:
    TRwDOMArena() = default;
    // Nodes still in the arena go with it.
    ~TRwDOMArena() override;
    TRwDOMArena(const TRwDOMArena&) = delete;
    TRwDOMArena& operator=(const TRwDOMArena&) = delete;

    // Counts a node made in the arena, and one given back.
    void NodeMade() noexcept { ++nodes_; }
    void NodeFreed() noexcept { --nodes_; }
    // The arena behind the memory resource of a node.
    static TRwDOMArena& Of(std::pmr::memory_resource* resource) noexcept {
        return static_cast<TRwDOMArena&>(*resource);
    }

private:
    // Blocks up to kSmallLimit bytes are kept by size class, in steps of kGrain.
    static constexpr size_t kGrain = 16;
    static constexpr size_t kSmallLimit = 512;

    struct FreeBlock {
        FreeBlock* next;
    };

    void* do_allocate(size_t bytes, size_t alignment) override;
    void do_deallocate(void* block, size_t bytes, size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    // Memory is cut from chunks of a fixed size; a block of more than a
    // quarter chunk gets a chunk of its own. Chunks of the fixed size are
    // kept for the next document when one goes (see DomArena.cpp).
    static constexpr size_t kChunkSize = 60 * 1024;

    struct Chunk {
        Chunk* next;
        size_t bytes;
    };

    // A new block cut from the current chunk, or from a new one.
    void* Cut(size_t bytes, size_t alignment);
    // A new chunk of at least bytes, linked into the chunk list; its start.
    char* NewChunk(size_t bytes);

    Chunk* chunks_ = nullptr;
    char* cursor_ = nullptr;
    char* end_ = nullptr;
    std::array<FreeBlock*, kSmallLimit / kGrain> free_{};
    long nodes_ = 0;
};
