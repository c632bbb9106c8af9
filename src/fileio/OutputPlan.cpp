#include "fileio/OutputPlan.h"

#include "fileio/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillax {

namespace {
// As many links as the system itself follows in one name.
constexpr int MostLinks = 40;
constexpr size_t MostDescriptorDigits = 9;

std::string Canonical(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return {};
    }
    std::string text(resolved);
    std::free(resolved);
    return text;
}

// N when path names descriptor N of this process (/proc/self/fd/N, /dev/fd/N, the thread's own):
// the system would follow that link to whatever the descriptor has open, a pipe or a file the shell
// opened, which must be written through the descriptor and never replaced.
std::optional<int> OwnDescriptor(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty() || base.size() > MostDescriptorDigits ||
        !std::all_of(base.begin(), base.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const std::string folder = Canonical(FolderOf(path));
    if (folder.empty() ||
        (folder != Canonical("/proc/self/fd") && folder != Canonical("/proc/thread-self/fd"))) {
        return std::nullopt;
    }
    return std::stoi(base);
}

// Follows the links of path to the name at their end, or to a descriptor of this process; false
// with errno.
bool FollowLinks(std::string path, OutputPlan& plan) {
    for (int depth = 0; depth <= MostLinks; ++depth) {
        if (const std::optional<int> descriptor = OwnDescriptor(path)) {
            plan.Way = OutputWay::Direct;
            plan.Descriptor = *descriptor;
            return true;
        }
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            plan.Target = path;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link);
        if (length < 0 || length == static_cast<ssize_t>(sizeof link)) {
            errno = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string next(link, static_cast<size_t>(length));
        path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

bool InGroups(gid_t group) {
    if (group == getegid()) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<size_t>(std::max(getgroups(0, nullptr), 0)));
    groups.resize(
        static_cast<size_t>(std::max(getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Whether a new file of this user may be given that owner and group.
bool MayGive(uid_t owner, gid_t group) {
    return geteuid() == 0 || (owner == geteuid() && InGroups(group));
}

void PlanRegularFile(const struct stat& status, OutputPlan& plan) {
    // A file its owner keeps from writes is not replaced either, as writing into it would fail.
    if (faccessat(AT_FDCWD, plan.Target.c_str(), W_OK, AT_EACCESS) != 0) {
        plan.Error = errno;
        return;
    }
    plan.Mode = status.st_mode & 07777;
    plan.Owner = status.st_uid;
    plan.Group = status.st_gid;
    plan.Names = status.st_nlink;
    plan.ForeignOwner = !MayGive(status.st_uid, status.st_gid);
    plan.Way = plan.Names > 1 || plan.ForeignOwner ? OutputWay::InPlace : OutputWay::Replace;
}
} // namespace

OutputPlan PlanOutput(const std::string& path) {
    OutputPlan plan;
    if (!FollowLinks(path, plan)) {
        plan.Error = errno;
        return plan;
    }
    struct stat status {};
    if (plan.Descriptor >= 0) {
        return plan;
    }
    if (stat(plan.Target.c_str(), &status) != 0) {
        // A missing name is a new file; a missing folder is found when the file is made.
        plan.Error = errno == ENOENT ? 0 : errno;
    } else if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) {
        plan.Way = OutputWay::Direct;
    } else if (S_ISREG(status.st_mode)) {
        PlanRegularFile(status, plan);
    } else {
        plan.Error = S_ISDIR(status.st_mode) ? EISDIR : NotWritableKind;
    }
    return plan;
}

std::string ForeignOwnerText(const OutputPlan& plan) {
    const std::string group = std::to_string(plan.Group);
    return plan.Owner == geteuid()
               ? "in group " + group + ", which is not one of this user's"
               : "another user's file (owner " + std::to_string(plan.Owner) + ", group " + group + ")";
}

} // namespace quillax
