#pragma once

#include "ImageStatus.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/**
 * Reading a file the user named, without ever waiting on it: only regular
 * files on ordinary file systems are read, and only up to a size cap.
 * FIFOs, sockets, devices and the kernel's pseudo files (/proc, /sys) are
 * refused before a single byte is read, since a read there may never end or
 * may never stop producing bytes.
 */
class RegularFile
{
public:
    /** More than any picture the engine accepts can take on disk. */
    static constexpr std::uint64_t kMaxImageBytes = std::uint64_t(1) << 30;

    /**
     * Reads the whole of @p path into @p bytes. Fails with kNotFound,
     * kUnreadable (not a regular file, a pseudo file, a read error), kEmpty
     * or kTooLarge (larger than @p maxBytes); @p bytes is left as it was.
     */
    static ImageStatus read(const std::string &path, std::uint64_t maxBytes, std::vector<std::uint8_t> &bytes);

    /** Reads at most @p size bytes from the start of @p path; 0 for anything
     *  read would refuse. */
    static std::size_t readHead(const std::string &path, std::uint8_t *buffer, std::size_t size);
};
