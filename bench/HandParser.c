/* The yardstick for loading: a small single-threaded parser of a log written
 * by hand, as someone would write one for this format alone. It reads the
 * file in large blocks and turns each "time,value" line after the header
 * into two doubles kept in growing arrays (a sensor word becomes its fixed
 * value), then prints how many samples it kept and a checksum, so that no
 * work can be left out. Not the loader's exact conversion: a fast,
 * plausible one.
 *   hand-parser FILE */
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { kBlock = 1 << 22, kLongestLine = 4096 };

static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
                                 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

struct Column {
  double* values;
  size_t count;
  size_t room;
};

static void Append(struct Column* column, double value) {
  if (column->count == column->room) {
    column->room = column->room ? column->room * 2 : 1 << 16;
    column->values = realloc(column->values, column->room * sizeof(double));
    if (column->values == NULL) {
      fputs("hand-parser: out of memory\n", stderr);
      exit(1);
    }
  }
  column->values[column->count++] = value;
}

/* A decimal number from p to end: sign, digits, one point. */
static double Number(const char* p, const char* end) {
  int negative = 0;
  if (p < end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  }
  uint64_t mantissa = 0;
  int decimals = -1;
  for (; p < end; ++p) {
    if (*p >= '0' && *p <= '9') {
      mantissa = mantissa * 10 + (uint64_t)(*p - '0');
      decimals += decimals >= 0;
    } else if (*p == '.' && decimals < 0) {
      decimals = 0;
    }
  }
  double value = (double)mantissa;
  if (decimals > 0) {
    value /= kPowers[decimals < 18 ? decimals : 18];
  }
  return negative ? -value : value;
}

static double Sample(const char* p, const char* end) {
  if (p < end && ((*p >= '0' && *p <= '9') || *p == '-' || *p == '.')) {
    return Number(p, end);
  }
  const size_t length = (size_t)(end - p);
  if (length == 4 && memcmp(p, "Rich", 4) == 0) {
    return 2.0;
  }
  if (length == 4 && memcmp(p, "Lean", 4) == 0) {
    return 1.0;
  }
  if (length == 29 && memcmp(p, "S.C to Gnd/Sensor lower limit", 29) == 0) {
    return -1.0;
  }
  return 0.0;
}

/* The lines of [p, end) that end there; returns where the unfinished rest starts. */
static const char* ParseLines(const char* p, const char* end, int* header, struct Column* times,
                              struct Column* values) {
  for (;;) {
    const char* newline = memchr(p, '\n', (size_t)(end - p));
    if (newline == NULL) {
      return p;
    }
    const char* lineEnd = newline > p && newline[-1] == '\r' ? newline - 1 : newline;
    if (*header) {
      *header = 0;
    } else {
      const char* comma = memchr(p, ',', (size_t)(lineEnd - p));
      if (comma == NULL) {
        Append(times, 0.0);
        Append(values, Sample(p, lineEnd));
      } else {
        Append(times, Number(p, comma));
        Append(values, Sample(comma + 1, lineEnd));
      }
    }
    p = newline + 1;
  }
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: hand-parser FILE\n", stderr);
    return 2;
  }
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) {
    perror(argv[1]);
    return 1;
  }
  char* buffer = malloc(kBlock + kLongestLine + 1);
  struct Column times = {0}, values = {0};
  int header = 1;
  size_t carried = 0;
  for (;;) {
    const ssize_t n = read(fd, buffer + carried, kBlock);
    if (n < 0) {
      perror(argv[1]);
      return 1;
    }
    const char* end = buffer + carried + n;
    if (n == 0) {
      if (carried > 0) {
        buffer[carried] = '\n';
        ParseLines(buffer, buffer + carried + 1, &header, &times, &values);
      }
      break;
    }
    const char* rest = ParseLines(buffer, end, &header, &times, &values);
    carried = (size_t)(end - rest);
    if (carried > kLongestLine) {
      carried = kLongestLine;
    }
    memmove(buffer, rest, carried);
  }
  close(fd);
  double sum = 0;
  for (size_t i = 0; i < values.count; ++i) {
    sum += values.values[i] + times.values[i];
  }
  printf("%zu samples, checksum %.17g\n", values.count, sum);
  free(buffer);
  free(times.values);
  free(values.values);
  return 0;
}
