#pragma once

namespace glypharo {

class TSock;

// Stream-style access to one TSock: reads go through Receive, writes
// through Send; the position cannot be moved.
class TSockStream {
public:
    explicit TSockStream(TSock& sock)
        : sock_(sock)
    {
    }

    // Receives at most count bytes into buffer; returns how many.
    int Read(char* buffer, int count);
    // Sends count bytes of buffer; returns count.
    int Write(const char* buffer, int count);
    // Does nothing; returns 0.
    int Seek(int offset, int origin);

private:
    TSock& sock_;
};

} // namespace glypharo
