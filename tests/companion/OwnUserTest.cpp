// Only the companion's own user reaches it, and it touches only that user's files: clients
// and a companion of another user (nobody) need root to make, so those cases skip without it.
#include "CompanionConstants.h"
#include "CompanionProcess.h"
#include "ErrorAnswer.h"
#include "LoopbackClient.h"
#include "LoopbackServer.h"
#include "OtherUser.h"
#include "ParametersAnswer.h"
#include "SignalTestSupport.h"
#include "TempFolder.h"
#include "UserOwnership.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace companion
{
namespace
{

using namespace test;
using orv::host::validator::OtherUser;

const std::string kRefused = ErrorAnswer::build(kForeignPeerReason);

struct stat Entry(uid_t owner, gid_t group, mode_t mode)
{
    struct stat entry
    {
    };
    entry.st_uid = owner;
    entry.st_gid = group;
    entry.st_mode = mode;
    return entry;
}

// A companion in this process whose listening socket the test makes, so that connections
// can wait in its backlog before it serves them.
struct Companion
{
    explicit Companion(bool serveNow = true)
    {
        listening.reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listening.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listening.get(), 16);
        ::getsockname(listening.get(), reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        if (serveNow) serve();
    }
    void serve()
    {
        std::string error;
        EXPECT_TRUE(server.serve(std::move(listening), error)) << error;
    }

    std::ostringstream logText;
    Log log{logText, true};
    FileLockTable locks;
    ProcessingPipeline pipeline{locks, log};
    RequestHandler handler{pipeline, log};
    CompanionServer server{handler, log, CompanionServer::Options{}};
    UniqueFd listening;
    uint16_t port = 0;
};

// The owner's interface file, and a request that would raise it by 6 dB.
struct OwnersFile
{
    OwnersFile()
    {
        writeWav(path, sine(1000.0, 0.25, 48000.0, 4800), 48000);
        original = readBytes(path);
    }
    std::string request() const { return processRequest("true", "4", 0, 24000, path.string()); }
    TempFolder folder;
    std::filesystem::path path = folder / "Orvendal_interface_0.wav";
    std::string original;
};

// Exchanges as nobody in a child; true when every answer was the refusal.
bool RefusedAsNobody(uint16_t port, const std::vector<std::string>& requests)
{
    const pid_t child = OtherUser::Start(
        [&]
        {
            for (const std::string& request : requests)
                if (test::exchange(port, request) != kRefused) return 1;
            return 0;
        });
    return OtherUser::Wait(child) == 0;
}

} // namespace

TEST(UserOwnership, AcceptsOnlyFoldersNoOtherUserCanWriteAndTheUsersOwnFiles)
{
    const uid_t me = ::geteuid();
    const uid_t other = me == 0 ? OtherUser::kUid : me + 1;
    constexpr gid_t kSharedGroup = 54321; // nobody's private group anywhere
    EXPECT_EQ(UserOwnership::folderProblem(Entry(me, kSharedGroup, S_IFDIR | 0700)), "");
    EXPECT_EQ(UserOwnership::folderProblem(Entry(0, 0, S_IFDIR | 0755)), "");
    EXPECT_EQ(UserOwnership::folderProblem(Entry(me, kSharedGroup, S_IFDIR | 0757)),
              "other users can write in the folder (mode 0757)");
    EXPECT_NE(UserOwnership::folderProblem(Entry(0, 0, S_IFDIR | 01777)), "") << "/tmp itself";
    EXPECT_EQ(UserOwnership::folderProblem(Entry(other, kSharedGroup, S_IFDIR | 0700)),
              "the folder belongs to another user (uid " + std::to_string(other) + ")");
    EXPECT_EQ(UserOwnership::folderProblem(Entry(me, kSharedGroup, S_IFDIR | 0770)),
              "the folder's group (gid 54321) can write in it and is not this user's own group "
              "(mode 0770)");
    EXPECT_FALSE(UserOwnership::isPrivateGroup(kSharedGroup));
    if (UserOwnership::isPrivateGroup(::getegid()))
    {
        EXPECT_EQ(UserOwnership::folderProblem(Entry(me, ::getegid(), S_IFDIR | 0770)), "");
    }

    EXPECT_EQ(UserOwnership::fileProblem(Entry(me, kSharedGroup, S_IFREG | 0666)), "");
    EXPECT_EQ(UserOwnership::fileProblem(Entry(other, kSharedGroup, S_IFREG | 0600)),
              "the file belongs to another user (uid " + std::to_string(other) + ")");
}

TEST(OwnUser, AFileOrFolderOfAnotherUserIsLeftAlone)
{
    Companion companion;
    OwnersFile file;
    ASSERT_EQ(::chmod(file.folder.path().c_str(), 0777), 0);
    std::string answer = test::exchange(companion.port, file.request());
    EXPECT_EQ(answer, ErrorAnswer::build("other users can write in the folder (mode 0777)"));
    ASSERT_EQ(::chmod(file.folder.path().c_str(), 0700), 0);
    if (OtherUser::Available())
    {
        ASSERT_EQ(::chown(file.path.c_str(), OtherUser::kUid, OtherUser::kGid), 0);
        answer = test::exchange(companion.port, file.request());
        EXPECT_EQ(answer, ErrorAnswer::build("the file belongs to another user (uid 65534)"));
    }
    EXPECT_EQ(readBytes(file.path), file.original);
    EXPECT_EQ(file.folder.names().size(), 1u);
}

TEST(OwnUser, AnotherUsersClientsAndClosedClientsAreRefusedAndTheOwnerServed)
{
    if (!OtherUser::Available()) GTEST_SKIP() << "only root can become another user";
    OwnersFile file;
    Companion companion(false);
    // Sent and closed before the companion accepts it: the kernel keeps the socket, orphaned.
    const int gone = connectTo(companion.port);
    ASSERT_GE(gone, 0);
    const std::string request = file.request();
    ASSERT_EQ(::send(gone, request.data(), request.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(request.size()));
    ::close(gone);
    companion.serve();

    EXPECT_TRUE(RefusedAsNobody(companion.port, {file.request(), kParametersRequest}));
    EXPECT_EQ(readBytes(file.path), file.original);
    const std::string log = companion.logText.str();
    EXPECT_NE(log.find("refused before its request: its socket is uid 65534, ESTABLISHED"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("refused before its request: its socket is uid 0, FIN-WAIT"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find(" process "), std::string::npos) << log;

    EXPECT_EQ(test::exchange(companion.port, kParametersRequest), ParametersAnswer::build());
    EXPECT_TRUE(ErrorAnswer::isError(kRefused));
    EXPECT_FALSE(ErrorAnswer::isError(test::exchange(companion.port, file.request())));
    EXPECT_NE(readBytes(file.path), file.original);
}

TEST(OwnUser, ACompanionOfAnotherUserServesThatUserOnly)
{
    if (!OtherUser::Available()) GTEST_SKIP() << "only root can become another user";
    TempFolder logs;
    ASSERT_EQ(::chown(logs.path().c_str(), OtherUser::kUid, OtherUser::kGid), 0);
    CompanionProcess nobodys(ORV_COMPANION_EXE, logs / "companion.log", {}, &OtherUser::Become);
    ASSERT_NE(nobodys.port(), 0) << nobodys.log();

    // Root is another user to it; nobody's own file in nobody's folder is served.
    EXPECT_EQ(test::exchange(nobodys.port(), kParametersRequest), kRefused);
    OwnersFile root;
    ASSERT_EQ(::chown(root.folder.path().c_str(), OtherUser::kUid, OtherUser::kGid), 0);
    const uint16_t port = nobodys.port();
    const std::string request = root.request();
    const pid_t child = OtherUser::Start(
        [&]
        {
            if (test::exchange(port, kParametersRequest) != ParametersAnswer::build()) return 1;
            // root's file in nobody's folder: not nobody's to change.
            return test::exchange(port, request) ==
                           ErrorAnswer::build("the file belongs to another user (uid 0)")
                       ? 0
                       : 2;
        });
    EXPECT_EQ(OtherUser::Wait(child), 0) << nobodys.log();
    EXPECT_EQ(readBytes(root.path), root.original);
    EXPECT_NE(nobodys.log().find("its socket is uid 0, ESTABLISHED"), std::string::npos)
        << nobodys.log();
}

} // namespace companion
