/* The floor of the whole-process comparison: list the folder once, then one
 * renameat2(RENAME_NOREPLACE) per entry, named relative to the folder: the
 * least any renamer that never replaces a file must do.
 * Usage: floor_renameat2 DIR FROM TO
 * Every file whose name starts with FROM gets TO in its place. */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: %s DIR FROM TO\n", argv[0]);
    return 2;
  }
  const char* from = argv[2];
  const char* to = argv[3];
  const size_t fromLength = strlen(from);
  DIR* d = opendir(argv[1]);
  if (!d) {
    perror(argv[1]);
    return 1;
  }
  const int fd = dirfd(d);
  /* Collect first, as a renamer must: renaming while reading the folder can
   * list a renamed file a second time. */
  size_t count = 0, capacity = 1 << 17;
  char** names = malloc(capacity * sizeof *names);
  struct dirent* e;
  while ((e = readdir(d)) != NULL) {
    if (strncmp(e->d_name, from, fromLength) != 0) continue;
    if (count == capacity) names = realloc(names, (capacity *= 2) * sizeof *names);
    names[count++] = strdup(e->d_name);
  }
  char target[4096];
  for (size_t i = 0; i < count; ++i) {
    snprintf(target, sizeof target, "%s%s", to, names[i] + fromLength);
    if (renameat2(fd, names[i], fd, target, RENAME_NOREPLACE) != 0) {
      perror(names[i]);
      return 1;
    }
  }
  return 0;
}
