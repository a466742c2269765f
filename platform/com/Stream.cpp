// The stream over a global memory block. Its size is its own (a block may be
// larger than what was written); the block grows when a write passes its end.
#include "platform/com/Stream.h"

#include "platform/com/ComObject.h"
#include "platform/com/OutParam.h"

#include <cstring>

namespace {

// {8CF2D5E4-3B1C-4E38-9D52-7F1A6C0B2E91}: asks a stream whether it is ours.
constexpr GUID IID_HGlobalStream = MakeGuid("{8CF2D5E4-3B1C-4E38-9D52-7F1A6C0B2E91}");

class HGlobalStream : public ComObject<IStream> {
public:
    HGlobalStream(HGLOBAL memory, bool own)
        : ComObject(PlatformObjectCount()), memory_(memory), own_(own), size_(GlobalSize(memory)) {}

    HGLOBAL Memory() const { return memory_; }

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
        if (!buffer && count)
            return STG_E_INVALIDPOINTER;
        uint64_t left = position_ < size_ ? size_ - position_ : 0;
        ULONG n = count < left ? count : ULONG(left);
        if (n) {
            auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory_));
            if (!bytes)
                return E_HANDLE;
            std::memcpy(buffer, bytes + position_, n);
            GlobalUnlock(memory_);
        }
        position_ += n;
        if (read)
            *read = n;
        return n == count ? S_OK : S_FALSE;
    }

    HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
        if (!buffer && count)
            return STG_E_INVALIDPOINTER;
        uint64_t end = position_ + count;
        if (end > GlobalSize(memory_) && !GlobalReAlloc(memory_, size_t(end), GMEM_MOVEABLE))
            return STG_E_MEDIUMFULL;
        if (count) {
            auto* bytes = static_cast<uint8_t*>(GlobalLock(memory_));
            if (!bytes)
                return E_HANDLE;
            std::memcpy(bytes + position_, buffer, count);
            GlobalUnlock(memory_);
        }
        position_ = end;
        if (end > size_)
            size_ = end;
        if (written)
            *written = count;
        return S_OK;
    }

    HRESULT Seek(int64_t move, DWORD origin, uint64_t* position) override {
        int64_t base = origin == STREAM_SEEK_SET   ? 0
                       : origin == STREAM_SEEK_CUR ? int64_t(position_)
                       : origin == STREAM_SEEK_END ? int64_t(size_)
                                                   : -1;
        if (base < 0)
            return STG_E_INVALIDFUNCTION;
        if ((move < 0 && -move > base) || (move > 0 && move > INT64_MAX - base))
            return STG_E_INVALIDFUNCTION;
        position_ = uint64_t(base + move);
        if (position)
            *position = position_;
        return S_OK;
    }

    HRESULT SetSize(uint64_t size) override {
        if (size > GlobalSize(memory_) && !GlobalReAlloc(memory_, size_t(size), GMEM_MOVEABLE))
            return STG_E_MEDIUMFULL;
        size_ = size;
        return S_OK;
    }

    HRESULT Stat(STATSTG* stat, DWORD) override {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        stat->cbSize = size_;
        return S_OK;
    }

protected:
    void* GetInterface(const GUID& iid) override {
        if (iid == IID_HGlobalStream)
            return this;
        return ComObject::GetInterface(iid);
    }

private:
    friend struct ::ComMaker;
    ~HGlobalStream() override {
        if (own_)
            GlobalFree(memory_);
    }

    HGLOBAL memory_;
    bool own_;
    uint64_t size_;
    uint64_t position_ = 0;
};

} // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, IStream** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    bool made = false;
    if (!memory) {
        memory = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (!memory)
            return E_OUTOFMEMORY;
        made = true;
    } else if (!GlobalLock(memory)) {
        return E_INVALIDARG;
    } else {
        GlobalUnlock(memory);
    }
    try {
        // A block made here is the stream's whatever the caller asked.
        auto stream = MakeComObject<HGlobalStream>(memory, deleteOnRelease || made);
        *out = stream.Detach();
        return S_OK;
    } catch (...) {
        if (made)
            GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* memory) {
    if (!memory)
        return E_INVALIDARG;
    *memory = nullptr;
    void* ours = nullptr;
    if (!stream || FAILED(stream->QueryInterface(IID_HGlobalStream, &ours)) || !ours)
        return E_INVALIDARG;
    auto* s = static_cast<HGlobalStream*>(ours);
    *memory = s->Memory();
    s->Release();
    return S_OK;
}
