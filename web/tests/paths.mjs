// Where the tests find the repository and the web build (COMET_WEB_BUILD overrides it).
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

export const repoDir = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const buildDir = process.env.COMET_WEB_BUILD ? resolve(process.env.COMET_WEB_BUILD) : join(repoDir, 'build-web');
