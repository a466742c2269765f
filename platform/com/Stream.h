// Byte streams as COM hands them between components: ISequentialStream and
// IStream, and the one kind this machine makes, a stream over a block of
// global memory (CreateStreamOnHGlobal). The picture loader reads pictures
// from such streams; a stream that owns its block frees it with its last
// reference.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/win/GlobalMemory.h"

#include <cstdint>

// {0C733A30-2A1C-11CE-ADE5-00AA0044773D}
constexpr GUID IID_ISequentialStream = MakeGuid("{0C733A30-2A1C-11CE-ADE5-00AA0044773D}");
// {0000000C-0000-0000-C000-000000000046}
constexpr GUID IID_IStream = MakeGuid("{0000000C-0000-0000-C000-000000000046}");

// Where IStream::Seek counts from.
constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;

// Storage failures a stream answers with.
constexpr HRESULT STG_E_INVALIDFUNCTION = MakeHResult(0x80030001);
constexpr HRESULT STG_E_INVALIDPOINTER = MakeHResult(0x80030009);
constexpr HRESULT STG_E_MEDIUMFULL = MakeHResult(0x80030070);

// What IStream::Stat tells: the stream's size (the only member filled here).
struct STATSTG {
    uint64_t cbSize = 0;
};

struct ISequentialStream : IUnknown {
    static constexpr GUID Iid = IID_ISequentialStream;

    // Reads up to count bytes at the position; *read (may be null) gets how
    // many; S_FALSE when fewer than count were left.
    virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
    // Writes count bytes at the position, growing the stream.
    virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
};

struct IStream : ISequentialStream {
    static constexpr GUID Iid = IID_IStream;
    using BaseInterface = ISequentialStream;

    // Moves the position (STREAM_SEEK_*); *position (may be null) gets the new one.
    virtual HRESULT Seek(int64_t move, DWORD origin, uint64_t* position) = 0;
    // Cuts or grows the stream.
    virtual HRESULT SetSize(uint64_t size) = 0;
    // Describes the stream (statFlag is ignored: there is no name).
    virtual HRESULT Stat(STATSTG* stat, DWORD statFlag) = 0;
};

// A stream over the block memory (0: a new empty block of its own), starting
// at position 0 with the block's size. With deleteOnRelease the stream frees
// the block with its last reference. E_POINTER for a null out,
// E_INVALIDARG for a handle that names no block, E_OUTOFMEMORY.
HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, IStream** out);
// The block behind a stream made by CreateStreamOnHGlobal; E_INVALIDARG for another stream.
HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* memory);
