// One copy per user: a second start hands over to the first, and the socket
// file a killed run left behind blocks nobody. Each test has its own TMPDIR.
#include "AppTestSupport.h"

#include <QSignalSpy>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace glypharo::apptest {
namespace {

// A socket file that nobody listens on, as a killed first copy leaves it.
bool leaveStaleSocket(const QString& path)
{
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    QByteArray p = path.toLocal8Bit();
    if (static_cast<std::size_t>(p.size()) >= sizeof(addr.sun_path)) {
        ::close(fd);
        return false;
    }
    std::memcpy(addr.sun_path, p.constData(), static_cast<std::size_t>(p.size()));
    bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 && ::listen(fd, 1) == 0;
    ::close(fd); // the file stays
    return ok;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApp(); }
    QString socketPath() const { return QDir(QDir::tempPath()).filePath(QStringLiteral("roomxev")); }
    TestFolders folders;
};

TEST_F(SingleInstanceTest, ASecondStartHandsOverAndTheFirstIsAskedToShowItself)
{
    struct Case {
        const char* what;
        bool staleFile;
    };
    for (const Case c : {Case{"clean temp folder", false}, Case{"stale socket of a killed run", true}}) {
        if (c.staleFile) {
            ASSERT_TRUE(leaveStaleSocket(socketPath())) << socketPath().toStdString();
        }
        SingleInstance probe;
        EXPECT_FALSE(probe.handOverToFirst()) << c.what << ": nobody is there to hand over to";

        auto first = std::make_unique<SingleInstance>();
        ASSERT_TRUE(first->becomeFirst()) << c.what;
        QSignalSpy activated(first.get(), &SingleInstance::activateRequested);
        SingleInstance second;
        EXPECT_TRUE(second.handOverToFirst()) << c.what;
        EXPECT_TRUE(activated.count() == 1 || activated.wait(5000)) << c.what;

        first.reset(); // a copy that ends normally takes its socket with it
        EXPECT_FALSE(QFile::exists(socketPath())) << c.what;
    }
}

TEST_F(SingleInstanceTest, TheRunningLockIsHeldByOneCopyAtATime)
{
    auto first = std::make_unique<SingleInstance>();
    SingleInstance second;
    EXPECT_TRUE(first->holdMutex());
    EXPECT_FALSE(second.holdMutex());
    first.reset();
    EXPECT_TRUE(second.holdMutex());
}

TEST_F(SingleInstanceTest, CopiesWithTheirOwnTempFoldersNeverMeet)
{
    SingleInstance first;
    ASSERT_TRUE(first.becomeFirst());
    TestFolders other; // another TMPDIR from here on
    SingleInstance second;
    EXPECT_FALSE(second.handOverToFirst());
    EXPECT_TRUE(second.becomeFirst());
}

} // namespace
} // namespace glypharo::apptest
