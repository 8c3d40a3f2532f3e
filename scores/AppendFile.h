#pragma once

#include <QByteArrayView>
#include <QString>

// A file opened only to add to its end; a missing file is created empty.
//
// Each append() is a single, unbuffered write that the operating system places at the
// current end of the file as one unit (O_APPEND on POSIX; an end-of-file write offset on
// Windows), so lines that two copies of the program append at the same moment never
// interleave and neither is lost. While the file is open, other copies of the program wait
// for it (an exclusive lock they all take), so the look at the last byte and the write
// that follows form one step: another copy's line, half written at a page boundary, cannot
// be mistaken for a line without its end. Failures are described in Czech for the player.
class AppendFile {
public:
    explicit AppendFile(const QString& path);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    bool isOpen() const;

    // True when the file holds something and its last byte is neither CR nor LF, so a
    // new line must first end the one that is there.
    bool lacksFinalLineEnd();

    // Writes all of `bytes` or, as far as the system lets us, nothing: a write that comes
    // up short (a full disk) is cut off again and reported as a failure.
    bool append(QByteArrayView bytes);

    // Closes the file; false when the system reports that the data did not reach it.
    bool close();

    // Why the last operation failed, as a Czech sentence.
    QString errorText() const { return m_errorText; }

private:
    void fail(unsigned long systemError);

#ifdef Q_OS_WIN
    void* m_handle;
#else
    int m_fd;
#endif
    QString m_errorText;
};
