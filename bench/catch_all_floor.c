/* The least the catch-all's job takes on a machine: read a file in pieces, write it to standard
 * output with "&", "<", ">" and space escaped as the catch-all escapes them, nothing else (no
 * libraries, no UTF-16 text, no start-up of our own, one thread). Bytes from 0x80 up go out as
 * they came. bench/whole_process.sh builds and times it beside the conversions. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static int write_all(const char* bytes, size_t count) {
    while (count > 0) {
        ssize_t done = write(STDOUT_FILENO, bytes, count);
        if (done < 0) return -1;
        bytes += done;
        count -= (size_t)done;
    }
    return 0;
}

int main(int argc, char** argv) {
    static char in[1 << 17];
    static char out[sizeof in * 6];
    int fd = argc == 2 ? open(argv[1], O_RDONLY) : -1;
    if (fd < 0) {
        fprintf(stderr, "usage: catch_all_floor FILE\n");
        return 2;
    }
    ssize_t got;
    while ((got = read(fd, in, sizeof in)) > 0) {
        size_t n = 0;
        for (ssize_t i = 0; i < got; ++i) {
            switch (in[i]) {
            case ' ': memcpy(out + n, "&nbsp;", 6); n += 6; break;
            case '&': memcpy(out + n, "&amp;", 5); n += 5; break;
            case '<': memcpy(out + n, "&lt;", 4); n += 4; break;
            case '>': memcpy(out + n, "&gt;", 4); n += 4; break;
            default: out[n++] = in[i];
            }
        }
        if (write_all(out, n) != 0) return 1;
    }
    return got < 0 ? 1 : 0;
}
