#!/usr/bin/python3
"""A file system that answers late, for the tests of a slow or silent server.

    slow-fs.py BACKING MOUNTPOINT

Shows the folder BACKING at MOUNTPOINT (FUSE, in the foreground). Calls made
by SORATN2.exe, and by no other program, wait where a name says so:

  list-after-<N>s   listing this folder answers after N seconds
  list-never        listing this folder never answers (until the caller has
                    been killed, as Windows cancels the calls of a process
                    that ends)
  make-after-<N>s   making a folder of this name waits N seconds: Wine makes
                    the folder in its server, which serves every Wine program,
                    so the wait is put where the caller's thread looks the
                    missing name up at the start of the same call, once
  write-after-<N>s  in a folder of this name, the first write to a file past
                    its first 16 KB waits N seconds, once a file, so that
                    many lines are written before the wait and some after

The wait is in the calling thread's system call, as on a Windows file server
that is slow to answer. The tests make their trees here with other programs,
which never wait.
"""
import errno
import os
import re
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations, fuse_get_context

LIST_AFTER = re.compile(r"list-after-(\d+)s$")
MAKE_AFTER = re.compile(r"make-after-(\d+)s$")
WRITE_AFTER = re.compile(r"write-after-(\d+)s$")
WRITE_AFTER_OFFSET = 16 * 1024
SIGKILL_BIT = 1 << (9 - 1)


def caller():
    return fuse_get_context()[2]


def is_the_program(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
            return b"SORATN2.exe" in cmdline.read()
    except OSError:
        return False


def being_killed(pid):
    """The caller has been killed (its process ends): its call is cancelled."""
    try:
        with open("/proc/%d/status" % pid) as status:
            fields = dict(line.split(":", 1) for line in status if ":" in line)
    except OSError:
        return True
    pending = int(fields.get("SigPnd", "0").strip(), 16) | int(fields.get("ShdPnd", "0").strip(), 16)
    return bool(pending & SIGKILL_BIT) or fields.get("State", "").strip()[:1] in ("Z", "X")


def wait(pid, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if being_killed(pid):
            raise FuseOSError(errno.EINTR)
        time.sleep(min(0.1, max(0.0, end - time.monotonic())))


class SlowFolders(Operations):
    def __init__(self, backing):
        self.backing = backing
        self.lock = threading.Lock()
        self.made_late = set()
        self.written_late = set()

    def real(self, path):
        return self.backing + path

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self.real(path))
        except FileNotFoundError:
            self.wait_before_making(path)
            raise
        return {key: getattr(st, key) for key in (
            "st_atime", "st_ctime", "st_gid", "st_mode", "st_mtime", "st_nlink", "st_size", "st_uid")}

    def wait_before_making(self, path):
        match = MAKE_AFTER.search(os.path.basename(path))
        pid = caller()
        if not match or not is_the_program(pid):
            return
        with self.lock:
            if path in self.made_late:
                return
            self.made_late.add(path)
        wait(pid, int(match.group(1)))

    def readdir(self, path, fh):
        name = os.path.basename(path)
        pid = caller()
        if is_the_program(pid):
            match = LIST_AFTER.search(name)
            if match:
                wait(pid, int(match.group(1)))
            elif name == "list-never":
                wait(pid, float("inf"))
        return [".", ".."] + os.listdir(self.real(path))

    def mkdir(self, path, mode):
        os.mkdir(self.real(path), mode)

    def rmdir(self, path):
        os.rmdir(self.real(path))

    def chmod(self, path, mode):
        os.chmod(self.real(path), mode)

    def utimens(self, path, times=None):
        os.utime(self.real(path), times)

    def create(self, path, mode, fi=None):
        return os.open(self.real(path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode)

    def open(self, path, flags):
        return os.open(self.real(path), flags)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        self.wait_before_writing(path, offset)
        return os.pwrite(fh, data, offset)

    def wait_before_writing(self, path, offset):
        match = WRITE_AFTER.search(os.path.basename(os.path.dirname(path)))
        pid = caller()
        if not match or offset < WRITE_AFTER_OFFSET or not is_the_program(pid):
            return
        with self.lock:
            if path in self.written_late:
                return
            self.written_late.add(path)
        wait(pid, int(match.group(1)))

    def truncate(self, path, length, fh=None):
        os.truncate(self.real(path), length)

    def release(self, path, fh):
        os.close(fh)

    def unlink(self, path):
        os.unlink(self.real(path))

    def rename(self, old, new):
        os.rename(self.real(old), self.real(new))

    def statfs(self, path):
        st = os.statvfs(self.real(path))
        return {key: getattr(st, key) for key in (
            "f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files", "f_flag",
            "f_frsize", "f_namemax")}


if __name__ == "__main__":
    FUSE(SlowFolders(sys.argv[1]), sys.argv[2], foreground=True, nothreads=False)
