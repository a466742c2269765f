// Memory and file streams of the class library.
#include "platform/rtl/Streams.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

TEST(Streams, MemoryStreamReadsWritesAndSeeks) {
    TMemoryStream s;
    s.WriteBuffer("hello", 5);
    EXPECT_EQ(s.GetSize(), 5);
    EXPECT_EQ(s.GetPosition(), 5);
    s.SetPosition(1);
    char buffer[8] = {};
    EXPECT_EQ(s.Read(buffer, 8), 4u);
    EXPECT_EQ(std::string(buffer), "ello");
    EXPECT_EQ(s.Read(buffer, 8), 0u);
    EXPECT_EQ(s.Seek(-2, soEnd), 3);
    EXPECT_EQ(s.Seek(-10, soCurrent), 0);
    EXPECT_THROW(s.ReadBuffer(buffer, 6), EReadError);
    s.SetSize(2);
    EXPECT_EQ(s.GetSize(), 2);
}

TEST(Streams, FileStreamRoundTripAndOpenError) {
    std::string path = ::testing::TempDir() + "/streams_test.bin";
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("abc", 3);
    }
    TFileStream in(path, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(in.GetSize(), 3);
    char buffer[4] = {};
    in.ReadBuffer(buffer, 3);
    EXPECT_EQ(std::string(buffer), "abc");
    std::remove(path.c_str());
    EXPECT_THROW(TFileStream(path + ".missing", fmOpenRead), EFOpenError);
}
