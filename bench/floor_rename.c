/* The floor of the whole-process comparison: what renaming a folder's files
 * costs when a program does nothing but list the folder, rename(2) each file
 * and stat(2) its target once. Usage: floor_rename DIR FROM TO
 * Every file whose name starts with FROM gets TO in its place. */
#define _GNU_SOURCE
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: %s DIR FROM TO\n", argv[0]);
    return 2;
  }
  const char* dir = argv[1];
  const char* from = argv[2];
  const char* to = argv[3];
  const size_t fromLength = strlen(from);
  DIR* d = opendir(dir);
  if (!d) {
    perror(dir);
    return 1;
  }
  /* Collect first, as a renamer must: renaming while reading the folder can
   * list a renamed file a second time. */
  size_t count = 0, capacity = 1024;
  char** names = malloc(capacity * sizeof *names);
  struct dirent* e;
  while ((e = readdir(d)) != NULL) {
    if (strncmp(e->d_name, from, fromLength) != 0) continue;
    if (count == capacity) names = realloc(names, (capacity *= 2) * sizeof *names);
    names[count++] = strdup(e->d_name);
  }
  closedir(d);
  char source[4096], target[4096];
  struct stat st;
  for (size_t i = 0; i < count; ++i) {
    snprintf(source, sizeof source, "%s/%s", dir, names[i]);
    snprintf(target, sizeof target, "%s/%s%s", dir, to, names[i] + fromLength);
    if (rename(source, target) != 0 || stat(target, &st) != 0) {
      perror(source);
      return 1;
    }
    free(names[i]);
  }
  free(names);
  return 0;
}
