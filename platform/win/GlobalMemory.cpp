// Global memory blocks in a table of their own, so that a wrong handle is
// answered with a failure instead of a crash.
#include "platform/win/GlobalMemory.h"

#include "platform/win/LastError.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct Block {
    std::unique_ptr<BYTE[]> bytes;
    std::size_t size = 0;
    unsigned locks = 0;
};

struct BlockTable {
    std::mutex lock;
    std::map<std::uintptr_t, Block> blocks;
    std::uintptr_t nextHandle = 0x40010;
};

BlockTable& Table() {
    static BlockTable* table = new BlockTable;
    return *table;
}

Block* FindLocked(BlockTable& t, HGLOBAL memory) {
    auto it = t.blocks.find(reinterpret_cast<std::uintptr_t>(memory));
    if (it == t.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
    Block block;
    block.bytes.reset(new (std::nothrow) BYTE[bytes ? bytes : 1]());
    if (!block.bytes)
        return nullptr;
    block.size = bytes;
    BlockTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    std::uintptr_t handle = t.nextHandle;
    t.nextHandle += 4;
    t.blocks.emplace(handle, std::move(block));
    return reinterpret_cast<HGLOBAL>(handle);
}

void* GlobalLock(HGLOBAL memory) {
    BlockTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* block = FindLocked(t, memory);
    if (!block)
        return nullptr;
    ++block->locks;
    return block->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL memory) {
    BlockTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* block = FindLocked(t, memory);
    if (!block || block->locks == 0)
        return FALSE;
    return --block->locks > 0;
}

std::size_t GlobalSize(HGLOBAL memory) {
    BlockTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* block = FindLocked(t, memory);
    return block ? block->size : 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT) {
    BlockTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* block = FindLocked(t, memory);
    if (!block)
        return nullptr;
    if (block->locks > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::unique_ptr<BYTE[]> bytesNew(new (std::nothrow) BYTE[bytes ? bytes : 1]());
    if (!bytesNew)
        return nullptr;
    std::memcpy(bytesNew.get(), block->bytes.get(), bytes < block->size ? bytes : block->size);
    block->bytes = std::move(bytesNew);
    block->size = bytes;
    return memory;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    BlockTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    if (!FindLocked(t, memory))
        return memory;
    t.blocks.erase(reinterpret_cast<std::uintptr_t>(memory));
    return nullptr;
}
