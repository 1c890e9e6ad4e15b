/* A small example input for Lumivar, coloured with hlx/c.hlx. */
#include <stdio.h>

#define GREETING "Hello, <world> & friends"

static int count_words(const char *text)
{
    int words = 0, inside = 0;
    for (; *text != '\0'; ++text) {
        if (*text == ' ' || *text == '\t' || *text == '\n') {
            inside = 0;
        } else if (!inside) {
            inside = 1;
            ++words;
        }
    }
    return words;
}

int main(void)
{
    // Prints the greeting and how many words it has.
    printf("%s (%d words)\n", GREETING, count_words(GREETING));
    return 0;
}
